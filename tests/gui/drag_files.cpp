// Drags files onto a window as Explorer does, for the GUI scenarios:
//   drag_files WINDOW X Y PATH...
// WINDOW is a window handle in hexadecimal, X and Y a point in its client area. A small window of this
// program takes a real press of the left button, starts DoDragDrop with a CF_HDROP data object of the
// PATHs, and SendInput moves the pointer onto the point and lets go there, so the drop travels the
// system's own drag-and-drop route. Exit status: 0 when the target took the drop, 1 when it did not,
// 2 on bad usage or when the drag could not start.
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "send_mouse.h"

namespace {

using skimdex::gui::SendMouse;

constexpr int kSourceSize = 32;
constexpr int kSteps = 12;
constexpr DWORD kStepMs = 40;

// The COM objects live on the stack of the one drag; their counts only answer the callers.
template <class Interface>
class StackObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != __uuidof(Interface)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<Interface*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

class DropSource final : public StackObject<IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape_pressed, DWORD key_state) override {
    if (escape_pressed) return DRAGDROP_S_CANCEL;
    return (key_state & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// The DROPFILES block Explorer hands over: wide names, each ended by a NUL, and one more NUL.
std::vector<char> DropFilesBlock(const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  names += L'\0';
  std::vector<char> block(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  std::memcpy(block.data(), &header, sizeof header);
  std::memcpy(block.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
  return block;
}

class FileDataObject final : public StackObject<IDataObject> {
 public:
  explicit FileDataObject(std::vector<char> block) : block_(std::move(block)) {}

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    const HRESULT offered = QueryGetData(format);
    if (offered != S_OK) return offered;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, block_.size());
    if (!copy) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(copy), block_.data(), block_.size());
    GlobalUnlock(copy);
    *medium = {};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    if (format->cfFormat != CF_HDROP) return DV_E_FORMATETC;
    return (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &format, formats);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::vector<char> block_;
};

struct Drag {
  POINT from;
  POINT to;
  FileDataObject* data;
  HRESULT result = E_FAIL;
  DWORD effect = DROPEFFECT_NONE;
};

// The user's hand while DoDragDrop runs: steps onto the target, rests there, lets go.
DWORD WINAPI MovePointer(void* parameter) {
  const Drag& drag = *static_cast<Drag*>(parameter);
  for (int step = 1; step <= kSteps; ++step) {
    Sleep(kStepMs);
    SendMouse({drag.from.x + (drag.to.x - drag.from.x) * step / kSteps,
               drag.from.y + (drag.to.y - drag.from.y) * step / kSteps},
              0);
  }
  Sleep(kStepMs);
  SendMouse({drag.to.x + 1, drag.to.y}, 0);
  Sleep(kStepMs);
  SendMouse(drag.to, 0);
  Sleep(kStepMs);
  SendMouse(drag.to, MOUSEEVENTF_LEFTUP);
  return 0;
}

// The drag starts where Explorer starts it: on the press of the button over the source.
LRESULT CALLBACK SourceProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_LBUTTONDOWN) return DefWindowProcW(window, message, wparam, lparam);
  Drag& drag = *reinterpret_cast<Drag*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  HANDLE hand = CreateThread(nullptr, 0, MovePointer, &drag, 0, nullptr);
  DropSource source;
  drag.result = DoDragDrop(drag.data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &drag.effect);
  if (hand) {
    WaitForSingleObject(hand, INFINITE);
    CloseHandle(hand);
  }
  PostQuitMessage(0);
  return 0;
}

HWND CreateSource(Drag& drag) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = SourceProcedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hbrBackground = GetSysColorBrush(COLOR_HIGHLIGHT);
  window_class.lpszClassName = L"SkimdexDragSource";
  RegisterClassW(&window_class);
  const HWND window =
      CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, window_class.lpszClassName, L"",
                      WS_POPUP | WS_VISIBLE, drag.from.x - kSourceSize / 2, drag.from.y - kSourceSize / 2,
                      kSourceSize, kSourceSize, nullptr, nullptr, window_class.hInstance, nullptr);
  if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&drag));
  return window;
}

int DragOnto(POINT target, const std::vector<std::wstring>& paths) {
  FileDataObject data(DropFilesBlock(paths));
  // The bottom right corner of the screen, away from the windows under test.
  Drag drag{{GetSystemMetrics(SM_CXSCREEN) - kSourceSize, GetSystemMetrics(SM_CYSCREEN) - kSourceSize},
            target,
            &data};
  const HWND source = CreateSource(drag);
  if (!source) return 2;
  UpdateWindow(source);
  SendMouse(drag.from, 0);
  SendMouse(drag.from, MOUSEEVENTF_LEFTDOWN);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  DestroyWindow(source);
  if (drag.result != DRAGDROP_S_DROP) return drag.result == DRAGDROP_S_CANCEL ? 1 : 2;
  return drag.effect == DROPEFFECT_NONE ? 1 : 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count < 5) return 2;
  const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(arguments[1], nullptr, 16)));
  POINT target{std::wcstol(arguments[2], nullptr, 10), std::wcstol(arguments[3], nullptr, 10)};
  if (!IsWindow(window) || !ClientToScreen(window, &target)) return 2;
  const std::vector<std::wstring> paths(arguments + 4, arguments + count);
  OleInitialize(nullptr);
  const int status = DragOnto(target, paths);
  OleUninitialize();
  return status;
}
