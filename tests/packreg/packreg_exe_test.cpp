// The built packreg.exe as an installer script runs it: a command line that Windows splits into
// UTF-16 arguments, UTF-8 bytes on its output streams, and its exit code.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "packreg/packreg.h"
#include "platform/win32_api.h"
#include "tests/support/registry_sandbox.h"
#include "harness/registry_values.h"

namespace {

struct Finished {
  DWORD exit_code;
  std::string out;
  std::string err;
};

// Drains a pipe in a thread of its own, so that a full pipe never stalls the program.
class PipeReader {
 public:
  explicit PipeReader(HANDLE pipe) : pipe_(pipe) {
    thread_ = CreateThread(nullptr, 0, &PipeReader::Drain, this, 0, nullptr);
  }
  PipeReader(const PipeReader&) = delete;
  PipeReader& operator=(const PipeReader&) = delete;
  ~PipeReader() {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(pipe_);
  }
  std::string Take() {
    WaitForSingleObject(thread_, INFINITE);
    return bytes_;
  }

 private:
  static DWORD WINAPI Drain(void* self) {
    auto* reader = static_cast<PipeReader*>(self);
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(reader->pipe_, buffer, sizeof(buffer), &read, nullptr) && read > 0)
      reader->bytes_.append(buffer, read);
    return 0;
  }
  HANDLE pipe_;
  HANDLE thread_;
  std::string bytes_;
};

std::optional<Finished> RunExe(const std::u16string& arguments) {
  SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
  HANDLE out_read = nullptr, out_write = nullptr, err_read = nullptr, err_write = nullptr;
  if (!CreatePipe(&out_read, &out_write, &inherited, 0) ||
      !CreatePipe(&err_read, &err_write, &inherited, 0)) {
    return std::nullopt;
  }
  SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out_write;
  startup.hStdError = err_write;
  std::u16string command_line = u"\"" PACK_PACKREG_EXE "\" " + arguments;
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessW(nullptr, ToWin(&command_line[0]), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  CloseHandle(out_write);
  CloseHandle(err_write);
  PipeReader out(out_read);
  PipeReader err(err_read);
  if (!started)
    return std::nullopt;
  Finished finished = {};
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  GetExitCodeProcess(process.hProcess, &finished.exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  finished.out = out.Take();
  finished.err = err.Take();
  return finished;
}

class PackregExe : public testing::Test {
 protected:
  testsupport::RegistrySandbox sandbox_;
};

// A quoted folder with blanks, "$", "%", Japanese characters and a trailing backslash (doubled
// before the closing quote, as the command line's rules want) arrives exactly, and the output is
// UTF-8 whatever the code page.
TEST_F(PackregExe, RegistersAQuotedFolderExactlyAndPrintsUtf8) {
  const std::optional<Finished> registered =
      RunExe(u"register trell_dravel1 --dir \"C:\\ゲーム $1 100%\\ドラヴェル\\\\\" --src E:\\");
  ASSERT_TRUE(registered);
  EXPECT_EQ(registered->exit_code, DWORD{packreg::kSuccess}) << registered->err;
  EXPECT_EQ(registered->out,
            u8"trell_dravel1   TRELL installed=yes in_package_list=yes "
            u8"C:\\ゲーム $1 100%\\ドラヴェル\\DRAVEL.exe\n");
  EXPECT_EQ(testsupport::ReadText(HKEY_CURRENT_USER, u"Software\\Trell\\DRAVELB", u"INSTALL_PATH"),
            u"C:\\ゲーム $1 100%\\ドラヴェル\\");

  const std::optional<Finished> listed = RunExe(u"list --json");
  ASSERT_TRUE(listed);
  EXPECT_EQ(listed->exit_code, DWORD{packreg::kSuccess});
  const nlohmann::json json = nlohmann::json::parse(listed->out);
  ASSERT_EQ(json.size(), 21u);
  EXPECT_EQ(json[14]["executable"], u8"C:\\ゲーム $1 100%\\ドラヴェル\\DRAVEL.exe");

  const std::optional<Finished> removed = RunExe(u"unregister trell_dravel1");
  ASSERT_TRUE(removed);
  EXPECT_EQ(removed->exit_code, DWORD{packreg::kSuccess});
  const std::optional<Finished> status = RunExe(u"status trell_dravel1");
  ASSERT_TRUE(status);
  EXPECT_EQ(status->exit_code, DWORD{packreg::kNotInstalled});
}

TEST_F(PackregExe, ReportsBadInputOnTheErrorStreamWithItsExitCode) {
  const std::optional<Finished> unknown = RunExe(u"status trell_ドラヴェル");
  ASSERT_TRUE(unknown);
  EXPECT_EQ(unknown->exit_code, DWORD{packreg::kUnknownTitle});
  EXPECT_EQ(unknown->out, "");
  EXPECT_EQ(unknown->err,
            u8"packreg: unknown title id: trell_ドラヴェル\n"
            u8"usage: packreg status <title-id>\n");

  const std::optional<Finished> missing = RunExe(u"register trell_dravel1 --src E:");
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->exit_code, DWORD{packreg::kBadArguments});
  EXPECT_FALSE(testsupport::KeyExists(HKEY_CURRENT_USER, u"Software\\Trell\\DRAVELB"));
}

}  // namespace
