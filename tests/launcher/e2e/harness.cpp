#include "tests/launcher/e2e/harness.h"

#include <gtest/gtest.h>
#include <sddl.h>

namespace e2e {
namespace {

constexpr char16_t kHtmlViewerClass[] = u"PackLauncherTests.html";

std::optional<std::u16string> ReadDefaultValue(HKEY root, const char16_t* key) {
  char16_t buffer[1024];
  DWORD size = sizeof(buffer);
  DWORD type = 0;
  if (RegGetValueW(root, ToWin(key), nullptr, RRF_RT_REG_SZ, &type, buffer, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::u16string(buffer);
}

bool WriteDefaultValue(HKEY root, const std::u16string& key, const std::u16string& value) {
  return RegSetKeyValueW(root, ToWin(key.c_str()), nullptr, REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(char16_t))) ==
         ERROR_SUCCESS;
}

}  // namespace

std::u16string OutputFolderPath() {
  return u"" PACK_E2E_OUTPUT_DIR;
}

namespace {

bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(ToWin(u"ntdll.dll")), "wine_get_version") != nullptr;
}

Capture CaptureThroughX(const RECT& area) {
  // The output folder reaches us as Z: followed by its Unix path.
  const std::u16string folder = OutputFolderPath();
  const std::string unix_folder(folder.begin() + 2, folder.end());
  const std::string name = "capture-" + std::to_string(GetCurrentProcessId()) + ".bmp";
  const std::u16string capture_path = folder + u"\\" + std::u16string(name.begin(), name.end());
  DeleteFileW(ToWin(capture_path.c_str()));
  const std::string part = "'" + unix_folder + "/" + name + ".part'";
  const std::string whole = "'" + unix_folder + "/" + name + "'";
  const std::string script = "import -window root -crop " + std::to_string(area.right - area.left) +
                             "x" + std::to_string(area.bottom - area.top) + "+" +
                             std::to_string(area.left) + "+" + std::to_string(area.top) +
                             " +repage BMP3:" + part + " && mv " + part + " " + whole;
  std::u16string command_line =
      u"/bin/sh -c \"" + std::u16string(script.begin(), script.end()) + u"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(ToWin(u"Z:\\bin\\sh"), ToWin(&command_line[0]), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &started)) {
    return {};
  }
  // A Unix program comes without a process handle to wait on.
  if (started.hProcess != nullptr)
    CloseHandle(started.hProcess);
  if (started.hThread != nullptr)
    CloseHandle(started.hThread);
  if (!Eventually([&] { return FileExists(capture_path); }))
    return {};
  auto bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, ToWin(capture_path.c_str()), IMAGE_BITMAP,
                                                0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  Capture capture = testsupport::ReadBitmapPixels(bitmap);
  if (bitmap != nullptr)
    DeleteObject(bitmap);
  DeleteFileW(ToWin(capture_path.c_str()));
  return capture;
}

Capture CaptureThroughGdi(const RECT& area) {
  const LONG width = area.right - area.left;
  const LONG height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  Capture capture = testsupport::ReadBitmapPixels(bitmap);
  DeleteObject(bitmap);
  return capture;
}

}  // namespace

Capture CaptureScreen(const RECT& area) {
  if (area.right <= area.left || area.bottom <= area.top)
    return {};
  return UnderWine() ? CaptureThroughX(area) : CaptureThroughGdi(area);
}

bool SaveAsBmp(const Capture& capture, const std::u16string& path) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = capture.width;
  header.biHeight = -capture.height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  const DWORD pixel_bytes = static_cast<DWORD>(capture.pixels.size() * sizeof(RGBQUAD));
  BITMAPFILEHEADER file_header = {};
  file_header.bfType = 0x4D42;  // "BM"
  file_header.bfOffBits = sizeof(file_header) + sizeof(header);
  file_header.bfSize = file_header.bfOffBits + pixel_bytes;
  HANDLE file = CreateFileW(ToWin(path.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  DWORD written = 0;
  bool ok = WriteFile(file, &file_header, sizeof(file_header), &written, nullptr) &&
            WriteFile(file, &header, sizeof(header), &written, nullptr) &&
            WriteFile(file, capture.pixels.data(), pixel_bytes, &written, nullptr);
  CloseHandle(file);
  return ok;
}

std::u16string BuiltLauncherPath() {
  return u"" PACK_SETUP_EXE;
}
std::u16string BuiltLauncherPath(const char* edition) {
  std::u16string path = u"" PACK_EDITIONS_DIR "/";
  for (; *edition != '\0'; ++edition) path += static_cast<char16_t>(*edition);
  return path + u"/setup.exe";
}
std::u16string RecorderPath() {
  return u"" PACK_RECORDER_EXE;
}

PackFolder::PackFolder(const std::u16string& name, bool with_companions,
                       const std::u16string& launcher)
    : ScratchFolder(name) {
  CopyIn(launcher, u"setup.exe");
  if (with_companions) {
    CopyIn(RecorderPath(), u"inst.exe");
    CopyIn(RecorderPath(), u"uninst.exe");
    WriteText(u"readme.htm", "<html><body>readme</body></html>\n");
  }
}

std::unique_ptr<Process> StartLauncher(const PackFolder& pack) {
  return Process::Start(pack.LauncherPath(), TempFolderPath());
}

HWND OpenLauncher(const PackFolder& pack, std::unique_ptr<Process>& process) {
  process = StartLauncher(pack);
  if (process == nullptr) {
    ADD_FAILURE() << "setup.exe did not start";
    return nullptr;
  }
  HWND window = WaitForDialog(process->Id(), kLauncherCaption);
  EXPECT_NE(window, nullptr) << "the launcher window did not show";
  return window;
}

HWND WaitForDialog(DWORD process_id, const std::u16string& caption, DWORD timeout_ms) {
  HWND dialog = nullptr;
  Eventually(
      [&] {
        for (HWND window : WindowsOf(process_id)) {
          if (ClassOf(window) == u"#32770" && TextOf(window) == caption) {
            dialog = window;
            return true;
          }
        }
        return false;
      },
      timeout_ms);
  return dialog;
}

void Click(HWND dialog, int control_id) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, control_id), BM_CLICK, 0, 0, SMTO_NORMAL, Patience(),
                      &ignored);
}

void PressEscape(HWND dialog) {
  PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageW(dialog, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

void PressCloseBox(HWND dialog) {
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void SendDefaultOk(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

namespace {

// The record when it is there whole: both lines, each ended.
std::optional<Recording> ReadRecording(const std::u16string& log) {
  HANDLE file = CreateFileW(ToWin(log.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return std::nullopt;
  std::u16string text(GetFileSize(file, nullptr) / sizeof(char16_t), u'\0');
  DWORD read = 0;
  const BOOL ok =
      ReadFile(file, &text[0], static_cast<DWORD>(text.size() * sizeof(char16_t)), &read, nullptr);
  CloseHandle(file);
  text.resize(ok ? read / sizeof(char16_t) : 0);
  const size_t first_end = text.find(u'\n');
  const size_t second_end =
      first_end == std::u16string::npos ? first_end : text.find(u'\n', first_end + 1);
  if (second_end == std::u16string::npos)
    return std::nullopt;
  return Recording{text.substr(0, first_end),
                   text.substr(first_end + 1, second_end - first_end - 1)};
}

}  // namespace

// Read until whole: in the emulated 32-bit guest, reading the record as soon as it appeared failed
// now and then, though the stand-in renames it into place only once written.
std::optional<Recording> WaitForRecording(const std::u16string& program, DWORD timeout_ms) {
  const std::u16string log = program + u".log";
  std::optional<Recording> recording;
  Eventually([&] { return (recording = ReadRecording(log)).has_value(); }, timeout_ms);
  return recording;
}

HeldMutex::HeldMutex(const char16_t* name, bool elevated) {
  SECURITY_ATTRIBUTES attributes = {sizeof(attributes), nullptr, FALSE};
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  // Everyone may wait on it; nothing more.
  if (elevated && ConvertStringSecurityDescriptorToSecurityDescriptorW(
                      ToWin(u"D:(A;;0x00100000;;;WD)"), SDDL_REVISION_1, &descriptor, nullptr)) {
    attributes.lpSecurityDescriptor = descriptor;
  }
  handle_ = CreateMutexW(&attributes, TRUE, ToWin(name));
  if (descriptor != nullptr)
    LocalFree(descriptor);
}

HeldMutex::~HeldMutex() {
  if (handle_ == nullptr)
    return;
  ReleaseMutex(handle_);
  CloseHandle(handle_);
}

MutexObserver::MutexObserver(const char16_t* name)
    : handle_(OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, ToWin(name))) {}

MutexObserver::~MutexObserver() {
  if (handle_ == nullptr)
    return;
  if (owned_)
    ReleaseMutex(handle_);
  CloseHandle(handle_);
}

DWORD MutexObserver::TakeState() {
  const DWORD state = WaitForSingleObject(handle_, 0);
  owned_ = state == WAIT_OBJECT_0 || state == WAIT_ABANDONED;
  return state;
}

HtmlViewerAssociation::HtmlViewerAssociation(const std::u16string& viewer)
    : previous_(ReadDefaultValue(HKEY_CLASSES_ROOT, u".htm")) {
  registered_ = WriteDefaultValue(HKEY_CLASSES_ROOT,
                                  std::u16string(kHtmlViewerClass) + u"\\shell\\open\\command",
                                  u"\"" + viewer + u"\" \"%1\"") &&
                WriteDefaultValue(HKEY_CLASSES_ROOT, u".htm", kHtmlViewerClass);
}

HtmlViewerAssociation::~HtmlViewerAssociation() {
  if (previous_) {
    WriteDefaultValue(HKEY_CLASSES_ROOT, u".htm", *previous_);
  } else {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, ToWin(u".htm"));
  }
  RegDeleteTreeW(HKEY_CLASSES_ROOT, ToWin(kHtmlViewerClass));
}

}  // namespace e2e
