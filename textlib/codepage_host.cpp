// On the host the narrow form is in the codeset of the C locale's LC_CTYPE, converted by iconv;
// the classic "C"/"POSIX" locale maps bytes 0-255 one to one, as the classic locale does on
// Windows, and a Shift-JIS locale converts as Windows' code page 932. Tests with Japanese narrow
// literals run under C.UTF-8 (UTF-8 literals) and under ja_JP.SJIS (built as Shift-JIS).
#include <errno.h>
#include <iconv.h>
#include <langinfo.h>
#include <strings.h>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <memory>

#include "textlib/classic_codepage.h"
#include "textlib/codepage.h"

namespace exlib {
namespace {

#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
constexpr const char* kUtf16 = "UTF-16BE";
#else
constexpr const char* kUtf16 = "UTF-16LE";
#endif

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  ~IconvHandle() {
    if (IsOpen())
      iconv_close(handle_);
  }
  bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

// Converts the whole input or nothing: invalid or incomplete input, a character the target lacks
// and an irreversible (approximate) conversion all fail.
template <class Out, class In>
std::optional<std::basic_string<Out>> Convert(const IconvHandle& converter,
                                              std::basic_string_view<In> input) {
  if (!converter.IsOpen() || input.size() > kMaxConvertedLength)
    return std::nullopt;
  iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
  std::basic_string<Out> output(input.size() + 4, Out{});
  char* in = const_cast<char*>(reinterpret_cast<const char*>(input.data()));
  size_t in_left = input.size() * sizeof(In);
  size_t written = 0;
  bool flushing = false;
  for (;;) {
    char* out = reinterpret_cast<char*>(output.data()) + written;
    size_t out_left = output.size() * sizeof(Out) - written;
    const size_t result = flushing ? iconv(converter.get(), nullptr, nullptr, &out, &out_left)
                                   : iconv(converter.get(), &in, &in_left, &out, &out_left);
    written = static_cast<size_t>(out - reinterpret_cast<char*>(output.data()));
    if (result == static_cast<size_t>(-1)) {
      if (errno != E2BIG || output.size() > kMaxConvertedLength)
        return std::nullopt;
      output.resize(output.size() * 2);
      continue;
    }
    if (result != 0)
      return std::nullopt;
    if (flushing)
      break;
    flushing = true;
  }
  if (written % sizeof(Out) != 0 || written / sizeof(Out) > kMaxConvertedLength) {
    return std::nullopt;
  }
  output.resize(written / sizeof(Out));
  return output;
}

// Both directions for one codeset, opened once and kept while the locale's codeset stays.
class CodesetConverter {
 public:
  explicit CodesetConverter(const char* codeset)
      : codeset_(codeset), to_wide_(kUtf16, codeset), to_narrow_(codeset, kUtf16) {}

  const std::string& Codeset() const { return codeset_; }
  std::optional<std::u16string> ToWide(std::string_view narrow) const {
    return Convert<char16_t>(to_wide_, narrow);
  }
  std::optional<std::string> ToNarrow(std::u16string_view wide) const {
    return Convert<char>(to_narrow_, wide);
  }

 private:
  std::string codeset_;
  IconvHandle to_wide_;
  IconvHandle to_narrow_;
};

const CodesetConverter& ConverterFor(std::unique_ptr<CodesetConverter>& cached,
                                     const char* codeset) {
  if (!cached || cached->Codeset() != codeset)
    cached = std::make_unique<CodesetConverter>(codeset);
  return *cached;
}

// glibc's Shift-JIS codesets turn 0x5C into the yen sign; Windows' code page 932 keeps ASCII, and
// glibc's CP932 table is Windows' own but for the differences that the functions below make up.
bool IsCodePage932(const char* codeset) {
  for (const char* name : {"SHIFT_JIS", "SJIS", "SHIFT-JIS", "CP932", "WINDOWS-31J", "MS_KANJI"}) {
    if (strcasecmp(codeset, name) == 0)
      return true;
  }
  return false;
}

const CodesetConverter& Cp932Converter() {
  thread_local std::unique_ptr<CodesetConverter> cached;
  return ConverterFor(cached, "CP932");
}

// Single bytes of Windows' table that glibc's lacks, both ways.
constexpr struct {
  unsigned char byte;
  char16_t unit;
} kWindowsOnly932[] = {
    {0x80, u'\u0080'}, {0xA0, u'\uF8F0'}, {0xFD, u'\uF8F1'}, {0xFE, u'\uF8F2'}, {0xFF, u'\uF8F3'}};

// The first byte of a two-byte character; the byte after it is never a character of its own.
bool IsLeadByte932(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Decoded piece by piece around the single bytes that only Windows' table has.
std::optional<std::u16string> Cp932ToWide(std::string_view narrow) {
  std::u16string wide;
  size_t piece = 0;
  const auto flush = [&](size_t end) {
    const auto decoded = Cp932Converter().ToWide(narrow.substr(piece, end - piece));
    if (!decoded)
      return false;
    wide += *decoded;
    return true;
  };
  for (size_t i = 0; i < narrow.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(narrow[i]);
    if (IsLeadByte932(byte)) {
      ++i;
      continue;
    }
    const auto special = std::find_if(std::begin(kWindowsOnly932), std::end(kWindowsOnly932),
                                      [&](const auto& entry) { return entry.byte == byte; });
    if (special == std::end(kWindowsOnly932))
      continue;
    if (!flush(i))
      return std::nullopt;
    wide += special->unit;
    piece = i + 1;
  }
  if (!flush(narrow.size()) || wide.size() > kMaxConvertedLength)
    return std::nullopt;
  return wide;
}

// Encoded piece by piece around the code units of those single bytes; glibc gives some
// characters without an exact form in code page 932 their nearest one (U+00A5 as 0x5C, U+301C as
// the full-width tilde), which Windows refuses: a piece that does not decode back to itself fails.
std::optional<std::string> WideToCp932(std::u16string_view wide) {
  std::string narrow;
  size_t piece = 0;
  const auto flush = [&](size_t end) {
    const std::u16string_view part = wide.substr(piece, end - piece);
    const auto encoded = Cp932Converter().ToNarrow(part);
    if (!encoded || Cp932Converter().ToWide(*encoded) != part)
      return false;
    narrow += *encoded;
    return true;
  };
  for (size_t i = 0; i < wide.size(); ++i) {
    const auto special = std::find_if(std::begin(kWindowsOnly932), std::end(kWindowsOnly932),
                                      [&](const auto& entry) { return entry.unit == wide[i]; });
    if (special == std::end(kWindowsOnly932))
      continue;
    if (!flush(i))
      return std::nullopt;
    narrow += static_cast<char>(special->byte);
    piece = i + 1;
  }
  if (!flush(wide.size()))
    return std::nullopt;
  return narrow;
}

const CodesetConverter& CurrentLocaleConverter() {
  thread_local std::unique_ptr<CodesetConverter> cached;
  return ConverterFor(cached, nl_langinfo(CODESET));
}

// Codesets that agree with ASCII on 0x00-0x7F (code page 932 does; glibc's Shift_JIS does not).
bool IsAsciiCompatible(const char* codeset) {
  return std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "ANSI_X3.4-1968") == 0 ||
         std::strncmp(codeset, "ISO-8859-", 9) == 0 || std::strncmp(codeset, "EUC-", 4) == 0 ||
         IsCodePage932(codeset);
}

bool IsClassicLocale() {
  const char* name = std::setlocale(LC_CTYPE, nullptr);
  return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

}  // namespace

std::optional<std::u16string> NarrowToWide(std::string_view narrow) {
  const char* codeset = nl_langinfo(CODESET);
  if (IsClassicLocale() || (IsAscii(narrow) && IsAsciiCompatible(codeset)))
    return ClassicToWide(narrow);
  if (IsCodePage932(codeset))
    return Cp932ToWide(narrow);
  return CurrentLocaleConverter().ToWide(narrow);
}

std::optional<std::string> WideToNarrow(std::u16string_view wide) {
  const char* codeset = nl_langinfo(CODESET);
  if (IsClassicLocale() || (IsAscii(wide) && IsAsciiCompatible(codeset)))
    return ClassicToNarrow(wide);
  if (IsCodePage932(codeset))
    return WideToCp932(wide);
  return CurrentLocaleConverter().ToNarrow(wide);
}

std::optional<std::u16string> DecodeShiftJis(std::string_view shift_jis) {
  return Cp932ToWide(shift_jis);
}

}  // namespace exlib
