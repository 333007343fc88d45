#include "launcher/setup_dlg.h"

#include "launcher/command_buttons.h"
#include "platform/win/paint_context.h"
#include "resource.h"

namespace {
constexpr char16_t kCaption[] = u"ヴァルデンスペシャルパック セットアップ";
}  // namespace

const winui::MessageMapEntry SetupDlg::kMessageEntries[] = {
    winui::PaintEntry<SetupDlg, &SetupDlg::OnPaint>(),
    winui::QueryDragIconEntry<SetupDlg, &SetupDlg::OnQueryDragIcon>(),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnInstallClicked>(IDC_INSTALL),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnUninstallClicked>(IDC_UNINSTALL),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnReadmeClicked>(IDC_README),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnWebsiteClicked>(IDC_WEBSITE),
};

const winui::MessageMap SetupDlg::kMessageMap = {
    &winui::ModalDialog::kMessageMap, kMessageEntries,
    sizeof(kMessageEntries) / sizeof(kMessageEntries[0])};

SetupDlg::SetupDlg(UINT template_id, HWND parent)
    : winui::ModalDialog(template_id, parent),
      m_icon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SETUP))) {}

BOOL SetupDlg::OnInitDialog() {
  winui::ModalDialog::OnInitDialog();
  SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
  SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
  SetWindowTextW(Window(), ToWin(kCaption));
  return TRUE;
}

void SetupDlg::OnCancel() {
  ExitProcess(0);
}

bool SetupDlg::OnPaint() {
  if (!IsIconic(Window()))
    return false;
  winui::PaintContext paint(Window());
  SendMessageW(Window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Dc()), 0);
  RECT client = {};
  GetClientRect(Window(), &client);
  const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(paint.Dc(), x, y, m_icon);
  return true;
}

HICON SetupDlg::OnQueryDragIcon() {
  return m_icon;
}

void SetupDlg::OnInstallClicked() {
  OpenInstaller();
}

void SetupDlg::OnUninstallClicked() {
  OpenUninstaller();
}

void SetupDlg::OnReadmeClicked() {
  OpenReadme();
}

void SetupDlg::OnWebsiteClicked() {
  OpenWebsite();
}
