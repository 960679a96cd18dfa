// The storage provider of the hidden rich-text control that loads node texts with their embedded objects.
#pragma once

#include <windows.h>
#include <richedit.h>
#include <richole.h>

namespace t2c {

// Gives every object the control loads a sub-storage REOLEStorage1, REOLEStorage2, … of one
// temporary compound file; the numbers run on over the callback's whole life. The requests of a
// visible, editable control (in-place frames, menus, clipboard data) are answered with nothing.
class RichEditCallback final : public IRichEditOleCallback {
 public:
  // A callback over a fresh temporary compound file, with no reference yet: the control takes
  // the first. None when the file cannot be made; `error` then holds the platform's code.
  static RichEditCallback* Create(HRESULT& error);
  // A callback over the given root storage, whose reference it takes over.
  explicit RichEditCallback(IStorage* root) : root_(root) {}
  RichEditCallback(const RichEditCallback&) = delete;
  RichEditCallback& operator=(const RichEditCallback&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetNewStorage(LPSTORAGE* storage) override;
  HRESULT STDMETHODCALLTYPE GetInPlaceContext(LPOLEINPLACEFRAME* frame, LPOLEINPLACEUIWINDOW* document,
                                              LPOLEINPLACEFRAMEINFO frameInfo) override;
  HRESULT STDMETHODCALLTYPE ShowContainerUI(BOOL show) override;
  HRESULT STDMETHODCALLTYPE QueryInsertObject(LPCLSID classId, LPSTORAGE storage, LONG position) override;
  HRESULT STDMETHODCALLTYPE DeleteObject(LPOLEOBJECT object) override;
  HRESULT STDMETHODCALLTYPE QueryAcceptData(LPDATAOBJECT data, CLIPFORMAT* format, DWORD operation,
                                            BOOL really, HGLOBAL metafile) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;
  HRESULT STDMETHODCALLTYPE GetClipboardData(CHARRANGE* range, DWORD operation, LPDATAOBJECT* data) override;
  HRESULT STDMETHODCALLTYPE GetDragDropEffect(BOOL drag, DWORD keyState, LPDWORD effect) override;
  HRESULT STDMETHODCALLTYPE GetContextMenu(WORD selectionType, LPOLEOBJECT object, CHARRANGE* range,
                                           HMENU* menu) override;

 private:
  ~RichEditCallback();

  LONG references_ = 0;
  LONG storages_ = 0;
  IStorage* root_;
};

// Creates a callback and attaches it to the rich-text control, which keeps it for its own life.
// S_OK, or the error that stopped the temporary file or the attachment (nothing is left over).
HRESULT attachRichEditCallback(HWND richEdit);

}  // namespace t2c
