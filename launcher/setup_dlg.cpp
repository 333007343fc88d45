#include "launcher/setup_dlg.h"

#include <memory>

#include "launcher/app_list_titles.h"
#include "launcher/command_buttons.h"
#include "launcher/dialog_button_controls.h"
#include "launcher/title_buttons.h"
#include "launcher/title_names.h"
#include "platform/win/dialog_item.h"
#include "platform/win/paint_context.h"
#include "platform/win/tooltips.h"
#include "resources/resource.h"
#include "titles/app_list.h"

namespace {
constexpr char16_t kCaption[] = u"ヴァルデンスペシャルパック セットアップ";
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshPeriodMs = 50;
}  // namespace

const winui::MessageMapEntry SetupDlg::kMessageEntries[] = {
    winui::PaintEntry<SetupDlg, &SetupDlg::OnPaint>(),
    winui::QueryDragIconEntry<SetupDlg, &SetupDlg::OnQueryDragIcon>(),
    winui::TimerEntry<SetupDlg, &SetupDlg::OnTimer>(),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnInstallClicked>(IDC_INSTALL),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnUninstallClicked>(IDC_UNINSTALL),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnReadmeClicked>(IDC_README),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnWebsiteClicked>(IDC_WEBSITE),
};

const winui::MessageMap SetupDlg::kMessageMap =
    winui::MakeMessageMap(&winui::ModalDialog::kMessageMap, kMessageEntries);

SetupDlg::SetupDlg(UINT template_id, HWND parent)
    : winui::ModalDialog(template_id, parent),
      m_icon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SETUP))) {}

BOOL SetupDlg::OnInitDialog() {
  winui::ModalDialog::OnInitDialog();
  SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
  SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
  SetWindowTextW(Window(), ToWin(kCaption));
  SetUpTitleButtons();
  return TRUE;
}

// Each button also carries its title's short name as its text, which the bitmap button does not
// draw but assistive technology reads as its name, and the long name as its tooltip.
void SetupDlg::SetUpTitleButtons() {
  const COLORREF button_face = GetSysColor(COLOR_BTNFACE);
  const winui::ToolTips tooltips(Window());
  for (uint32_t i = 0; i < GetAppList()->Count(); ++i) {
    const AppBase& title = *GetAppList()->GetAt(i);
    auto image = std::make_unique<winui::PngBitmap>();
    image->Load(GetModuleHandleW(nullptr), static_cast<UINT>(title.ImageId), button_face);
    m_images.Add(image.get());
    const winui::PngBitmap& added = *image.release();

    const winui::DialogItem button(Window(), title.ButtonId);
    button.SetBitmap(added.Handle());
    button.Enable(false);
    button.SetText(TitleDisplayName(title.ShortName).c_str());
    tooltips.Add(button.Handle(), TitleDisplayName(title.LongName).c_str());
  }
  RefreshButtons();
  SetTimer(Window(), kRefreshTimer, kRefreshPeriodMs, nullptr);
}

void SetupDlg::RefreshButtons() {
  DialogButtonControls controls(Window());
  ::RefreshButtons(AppListTitles(), controls);
}

void SetupDlg::OnTimer(UINT_PTR) {
  RefreshButtons();
}

BOOL SetupDlg::OnCommand(UINT notification, UINT id, LPARAM control) {
  if (LaunchTitleForCommand(AppListTitles(), notification, static_cast<int>(id)))
    return TRUE;
  return winui::ModalDialog::OnCommand(notification, id, control);
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
