#include "launcher/setup_dlg.h"

#include <memory>

#include "launcher/app_list_titles.h"
#include "launcher/command_buttons.h"
#include "launcher/title_buttons.h"
#include "launcher/title_bitmaps.h"
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
    winui::DpiChangedEntry<SetupDlg, &SetupDlg::OnDpiChanged>(),
    winui::TimerEntry<SetupDlg, &SetupDlg::OnTimer>(),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnInstallClicked>(IDC_INSTALL),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnUninstallClicked>(IDC_UNINSTALL),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnReadmeClicked>(IDC_README),
    winui::CommandEntry<SetupDlg, &SetupDlg::OnWebsiteClicked>(IDC_WEBSITE),
};

const winui::MessageMap SetupDlg::kMessageMap =
    winui::MakeMessageMap(&winui::ModalDialog::kMessageMap, kMessageEntries);

SetupDlg::SetupDlg(UINT template_id, HWND parent)
    : winui::ModalDialog(template_id, parent), dpi_(winui::SystemDpi()) {
  icon_.Load(GetModuleHandleW(nullptr), IDI_SETUP, winui::SystemMetricForDpi(SM_CXICON, dpi_));
}

BOOL SetupDlg::OnInitDialog() {
  winui::ModalDialog::OnInitDialog();
  SetIcons(winui::WindowDpi(Window()));
  SetWindowTextW(Window(), ToWin(kCaption));
  SetUpTitleButtons();
  return TRUE;
}

void SetupDlg::SetIcons(UINT dpi) {
  HMODULE module = GetModuleHandleW(nullptr);
  const int big_size = winui::SystemMetricForDpi(SM_CXICON, dpi);
  const int small_size = winui::SystemMetricForDpi(SM_CXSMICON, dpi);
  // The constructor's icon already has the size when the window is at the system's DPI.
  if (dpi != dpi_ || icon_.Handle() == nullptr)
    icon_.Load(module, IDI_SETUP, big_size);
  small_icon_.Load(module, IDI_SETUP, small_size);
  dpi_ = dpi;
  SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Handle()));
  SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.Handle()));
}

void SetupDlg::SetUpTitleButtons() {
  for (uint32_t i = 0; i < GetAppList()->Count(); ++i) {
    images_.Add(std::make_unique<winui::PngBitmap>().release());
  }
  LoadTitleImages(dpi_);
  for (uint32_t i = 0; i < GetAppList()->Count(); ++i) {
    const AppBase& title = *GetAppList()->GetAt(i);
    const winui::DialogItem button(Window(), title.ButtonId);
    button.Enable(false);
    button.SetText(TitleDisplayName(title.ShortName).c_str());
  }
  RefreshButtons();
  SetTimer(Window(), kRefreshTimer, kRefreshPeriodMs, nullptr);
}

// Each button also carries its title's short name as its text, which the bitmap button does not
// draw but assistive technology reads as its name, and the long name as its tooltip.
void SetupDlg::AddTitleToolTips() {
  const winui::ToolTips tooltips(Window());
  for (uint32_t i = 0; i < GetAppList()->Count(); ++i) {
    const AppBase& title = *GetAppList()->GetAt(i);
    tooltips.Add(winui::DialogItem(Window(), title.ButtonId).Handle(),
                 TitleDisplayName(title.LongName).c_str());
  }
}

void SetupDlg::LoadTitleImages(UINT dpi) {
  TitleBitmaps bitmaps =
      DecodeTitleBitmaps(GetModuleHandleW(nullptr), dpi, GetSysColor(COLOR_BTNFACE));
  for (uint32_t i = 0; i < GetAppList()->Count() && i < images_.Count(); ++i) {
    winui::PngBitmap& image = *bitmaps[i];
    // The button lets go of the old bitmap before it is freed.
    winui::DialogItem(Window(), GetAppList()->GetAt(i)->ButtonId).SetBitmap(image.Handle());
    images_.GetAt(i)->Swap(image);
  }
}

void SetupDlg::OnDpiChanged(UINT dpi, const RECT& suggested) {
  SetWindowPos(Window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  SetIcons(dpi);
  LoadTitleImages(dpi);
}

void SetupDlg::RefreshButtons() {
  if (!controls_)
    controls_.emplace(Window());
  ::RefreshButtons(AppListTitles(), *controls_);
}

void SetupDlg::OnTimer(UINT_PTR) {
  RefreshButtons();
  // Left until the window has been drawn (timer messages come after painting): nobody can point
  // at a button sooner, and making them would delay the window.
  if (!tooltips_added_) {
    tooltips_added_ = true;
    AddTitleToolTips();
  }
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
  const int x = (client.right - client.left - winui::SystemMetricForDpi(SM_CXICON, dpi_) + 1) / 2;
  const int y = (client.bottom - client.top - winui::SystemMetricForDpi(SM_CYICON, dpi_) + 1) / 2;
  DrawIcon(paint.Dc(), x, y, icon_.Handle());
  return true;
}

HICON SetupDlg::OnQueryDragIcon() {
  return icon_.Handle();
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
