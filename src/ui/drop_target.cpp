#include "ui/drop_target.h"

#include <shellapi.h>

#include <memory>

#include "text/uncaught_error.h"
#include "ui/shell_input.h"

namespace skimdex {
namespace {

FORMATETC FileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// The paths in a CF_HDROP medium, which is released (the HDROP freed) in every case.
std::vector<std::string> PathsReleasing(STGMEDIUM& medium) {
  const std::unique_ptr<STGMEDIUM, decltype(&ReleaseStgMedium)> released(&medium, ReleaseStgMedium);
  return DroppedPaths(static_cast<HDROP>(medium.hGlobal));
}

}  // namespace

FolderDropTarget::~FolderDropTarget() { Revoke(); }

bool FolderDropTarget::Register(HWND window) {
  if (FAILED(RegisterDragDrop(window, this))) return false;
  window_ = window;
  return true;
}

void FolderDropTarget::Revoke() {
  if (window_) RevokeDragDrop(window_);
  window_ = nullptr;
}

HRESULT FolderDropTarget::QueryInterface(REFIID iid, void** object) {
  if (iid != IID_IUnknown && iid != IID_IDropTarget) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IDropTarget*>(this);
  AddRef();
  return S_OK;
}

ULONG FolderDropTarget::AddRef() { return InterlockedIncrement(&references_); }
ULONG FolderDropTarget::Release() { return InterlockedDecrement(&references_); }

HRESULT FolderDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  FORMATETC format = FileListFormat();
  offers_files_ = data->QueryGetData(&format) == S_OK;
  *effect = EffectFor(*effect);
  return S_OK;
}

HRESULT FolderDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  *effect = EffectFor(*effect);
  return S_OK;
}

HRESULT FolderDropTarget::DragLeave() {
  offers_files_ = false;
  return S_OK;
}

// The run may have started since the drag entered: the host is asked again.
HRESULT FolderDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  *effect = EffectFor(*effect);
  offers_files_ = false;
  if (*effect == DROPEFFECT_NONE) return S_OK;
  FORMATETC format = FileListFormat();
  STGMEDIUM medium{};
  if (data->GetData(&format, &medium) != S_OK) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  // Exceptions never cross into the drag source's call.
  try {
    host_.Dropped(PathsReleasing(medium));
  } catch (...) {
    ShowUncaughtError(std::current_exception());
  }
  return S_OK;
}

DWORD FolderDropTarget::EffectFor(DWORD allowed) const {
  if (!offers_files_ || !host_.TakesDrops()) return DROPEFFECT_NONE;
  return (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : allowed & DROPEFFECT_LINK;
}

}  // namespace skimdex
