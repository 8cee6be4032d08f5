#pragma once

#include <windows.h>

#include <ole2.h>

#include <string>
#include <vector>

// Takes files and folders dragged from Explorer onto a window through OLE (RegisterDragDrop). Under
// Wine this is the only route: its DoDragDrop never posts WM_DROPFILES to a DragAcceptFiles window.
namespace skimdex {

// What the drop target needs of the window it serves.
class DropHost {
 public:
  virtual ~DropHost() = default;
  // False while a drop must be refused (during a run): the pointer shows "no drop" and a drop that
  // comes all the same is refused.
  virtual bool TakesDrops() const = 0;
  // The dropped items' paths, in the order Explorer gave them.
  virtual void Dropped(const std::vector<std::string>& paths) = 0;
};

// Owned by its window; COM's references only reach it while it is registered.
class FolderDropTarget final : public IDropTarget {
 public:
  explicit FolderDropTarget(DropHost& host) : host_(host) {}
  ~FolderDropTarget();
  FolderDropTarget(const FolderDropTarget&) = delete;
  FolderDropTarget& operator=(const FolderDropTarget&) = delete;

  // RegisterDragDrop for `window`, on a thread that called OleInitialize; false when refused.
  bool Register(HWND window);
  // RevokeDragDrop, before the window is destroyed (WM_DESTROY); once only.
  void Revoke();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  // The effect shown for a drag offering `allowed`: a copy, or a link where the source allows no copy.
  DWORD EffectFor(DWORD allowed) const;

  DropHost& host_;
  HWND window_ = nullptr;
  LONG references_ = 0;
  bool offers_files_ = false;  // the dragged data holds CF_HDROP
};

}  // namespace skimdex
