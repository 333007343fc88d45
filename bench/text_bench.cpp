// What the launcher repeats every 50 ms on texts, beside the same work on std::u16string.
// Runs in the code page of the user's locale (set at start-up, as the program does): under
// C.UTF-8 conversions go through iconv, under C they are the classic one-to-one mapping.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "textlib/codepage.h"
#include "textlib/paths.h"
#include "textlib/tu_text.h"

namespace {

using exlib::Tu_owned_array;
using exlib::Tu_text;

const struct UserLocale {
  UserLocale() { exlib::SetUserDefaultLocale(); }
} kUserLocale;

const char16_t* const kInstallFolder = u"C:\\Program Files\\Delvarin\\morvex\\Title 07\\";
const char16_t* const kExecutable = u"title07.exe";

std::u16string PackageList(int ids) {
  std::u16string list;
  for (int i = 0; i < ids; ++i) {
    if (i > 0)
      list += u',';
    const std::string id = "trell_" + std::to_string(100 + i);
    list.append(id.begin(), id.end());
  }
  return list;
}

std::vector<std::u16string> SplitBaseline(const std::u16string& text, char16_t separator) {
  std::vector<std::u16string> pieces;
  size_t start = 0;
  for (size_t at = text.find(separator); at != std::u16string::npos;
       at = text.find(separator, start)) {
    pieces.emplace_back(text, start, at - start);
    start = at + 1;
  }
  if (start < text.size())
    pieces.emplace_back(text, start);
  return pieces;
}

// The same canonical form as NormalizePath, on plain strings.
std::u16string PathJoinBaseline(std::u16string first, std::u16string second) {
  const std::u16string joined = first + u'\\' + second;
  std::u16string result;
  result.reserve(joined.size());
  for (char16_t c : joined) {
    if (c == u'/')
      c = u'\\';
    if (c == u'\\' && result.size() >= 2 && result.back() == u'\\')
      continue;
    result.push_back(c);
  }
  const size_t n = result.size();
  if (n > 0 && result[n - 1] == u'\\' && !(n >= 2 && result[n - 2] == u':'))
    result.pop_back();
  return result;
}

void SplitText(benchmark::State& state) {
  const Tu_text list(PackageList(static_cast<int>(state.range(0))).c_str());
  const Tu_text separator(u",");
  for (auto _ : state) {
    Tu_owned_array<Tu_text> pieces;
    benchmark::DoNotOptimize(list.Split(pieces, separator));
  }
}

void SplitU16string(benchmark::State& state) {
  const std::u16string list = PackageList(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(SplitBaseline(list, u','));
}

void PathJoinText(benchmark::State& state) {
  const Tu_text folder(kInstallFolder);
  const Tu_text file(kExecutable);
  for (auto _ : state) benchmark::DoNotOptimize(exlib::PathJoin(folder, file));
}

void PathJoinU16string(benchmark::State& state) {
  const std::u16string folder(kInstallFolder);
  const std::u16string file(kExecutable);
  for (auto _ : state) benchmark::DoNotOptimize(PathJoinBaseline(folder, file));
}

void CopyText(benchmark::State& state) {
  const Tu_text path(kInstallFolder);
  for (auto _ : state) {
    Tu_text copy(path);
    benchmark::DoNotOptimize(copy.Wide());
  }
}

void CopyU16string(benchmark::State& state) {
  const std::u16string path(kInstallFolder);
  for (auto _ : state) {
    std::u16string copy(path);
    benchmark::DoNotOptimize(copy.data());
  }
}

void AssignText(benchmark::State& state) {
  const Tu_text path(kInstallFolder);
  Tu_text target(kExecutable);
  for (auto _ : state) {
    target = path;
    benchmark::DoNotOptimize(target.Wide());
  }
}

void AssignU16string(benchmark::State& state) {
  const std::u16string path(kInstallFolder);
  std::u16string target(kExecutable);
  for (auto _ : state) {
    target = path;
    benchmark::DoNotOptimize(target.data());
  }
}

BENCHMARK(SplitText)->Arg(7)->Arg(1000);
BENCHMARK(SplitU16string)->Arg(7)->Arg(1000);
BENCHMARK(PathJoinText);
BENCHMARK(PathJoinU16string);
BENCHMARK(CopyText);
BENCHMARK(CopyU16string);
BENCHMARK(AssignText);
BENCHMARK(AssignU16string);

}  // namespace

BENCHMARK_MAIN();
