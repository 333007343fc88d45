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
    : winui::ModalDialog(template_id, parent), m_dpi(winui::SystemDpi()) {
  m_icon.Load(GetModuleHandleW(nullptr), IDI_SETUP, winui::SystemMetricForDpi(SM_CXICON, m_dpi));
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
  if (dpi != m_dpi || m_icon.Handle() == nullptr)
    m_icon.Load(module, IDI_SETUP, big_size);
  m_small_icon.Load(module, IDI_SETUP, small_size);
  m_dpi = dpi;
  SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon.Handle()));
  SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_small_icon.Handle()));
}

void SetupDlg::SetUpTitleButtons() {
  for (uint32_t i = 0; i < GetAppList()->Count(); ++i) {
    m_images.Add(std::make_unique<winui::PngBitmap>().release());
  }
  LoadTitleImages(m_dpi);
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
  for (uint32_t i = 0; i < GetAppList()->Count() && i < m_images.Count(); ++i) {
    winui::PngBitmap& image = *bitmaps[i];
    // The button lets go of the old bitmap before it is freed.
    winui::DialogItem(Window(), GetAppList()->GetAt(i)->ButtonId).SetBitmap(image.Handle());
    m_images.GetAt(i)->Swap(image);
  }
}

void SetupDlg::OnDpiChanged(UINT dpi, const RECT& suggested) {
  SetWindowPos(Window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  SetIcons(dpi);
  LoadTitleImages(dpi);
}

void SetupDlg::RefreshButtons() {
  if (!m_controls)
    m_controls.emplace(Window());
  ::RefreshButtons(AppListTitles(), *m_controls);
}

void SetupDlg::OnTimer(UINT_PTR) {
  RefreshButtons();
  // Left until the window has been drawn (timer messages come after painting): nobody can point
  // at a button sooner, and making them would delay the window.
  if (!m_tooltips_added) {
    m_tooltips_added = true;
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
  const int x = (client.right - client.left - winui::SystemMetricForDpi(SM_CXICON, m_dpi) + 1) / 2;
  const int y = (client.bottom - client.top - winui::SystemMetricForDpi(SM_CYICON, m_dpi) + 1) / 2;
  DrawIcon(paint.Dc(), x, y, m_icon.Handle());
  return true;
}

HICON SetupDlg::OnQueryDragIcon() {
  return m_icon.Handle();
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
