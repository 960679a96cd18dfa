// Storage for the objects of the hidden rich-text control, and nothing for its user-interface requests.
#include "pictures/rich_edit_callback_win.h"

#include <cwchar>

namespace t2c {
namespace {

// Transacted, created, exclusive, read-write: for the root file and every sub-storage.
constexpr DWORD kStorageMode = STGM_TRANSACTED | STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE;
static_assert(kStorageMode == 0x11012, "storage mode");

}  // namespace

RichEditCallback* RichEditCallback::Create(HRESULT& error) {
  IStorage* root = nullptr;
  // No name: a temporary file, which only the flag removes when the storage is released.
  error = StgCreateDocfile(nullptr, kStorageMode | STGM_DELETEONRELEASE, 0, &root);
  if (FAILED(error) || !root) {
    if (SUCCEEDED(error)) error = E_FAIL;
    return nullptr;
  }
  return new RichEditCallback(root);
}

RichEditCallback::~RichEditCallback() {
  if (root_) root_->Release();
}

HRESULT RichEditCallback::QueryInterface(REFIID id, void** object) {
  if (!object) return E_POINTER;
  if (id == IID_IUnknown || id == IID_IRichEditOleCallback) {
    *object = static_cast<IRichEditOleCallback*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG RichEditCallback::AddRef() { return static_cast<ULONG>(++references_); }

ULONG RichEditCallback::Release() {
  const LONG left = --references_;
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT RichEditCallback::GetNewStorage(LPSTORAGE* storage) {
  if (!storage) return E_POINTER;
  *storage = nullptr;
  if (!root_) return E_UNEXPECTED;
  wchar_t name[32];
  swprintf(name, sizeof name / sizeof name[0], L"REOLEStorage%ld", static_cast<long>(++storages_));
  const HRESULT created = root_->CreateStorage(name, kStorageMode, 0, 0, storage);
  if (SUCCEEDED(created) && *storage) return S_OK;
  // The control learns of the failure and goes without the object.
  if (*storage) (*storage)->Release();
  *storage = nullptr;
  return FAILED(created) ? created : E_FAIL;
}

HRESULT RichEditCallback::GetInPlaceContext(LPOLEINPLACEFRAME* frame, LPOLEINPLACEUIWINDOW* document,
                                            LPOLEINPLACEFRAMEINFO) {
  // The control is never shown, so no object is activated in place.
  if (frame) *frame = nullptr;
  if (document) *document = nullptr;
  return E_NOTIMPL;
}

HRESULT RichEditCallback::ShowContainerUI(BOOL) { return S_OK; }

HRESULT RichEditCallback::QueryInsertObject(LPCLSID classId, LPSTORAGE, LONG) {
  // Only pictures: a live object of any other class would be created inside the host's process
  // by whatever server registered it, straight from the bytes of a note.
  static const CLSID kPictureClasses[] = {
      {0x00000315, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}},  // static metafile
      {0x00000316, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}},  // static device-independent bitmap
      {0x00000319, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}},  // static enhanced metafile
  };
  // Without a class there is nothing to create, and no server could be started for it.
  if (!classId || IsEqualCLSID(*classId, CLSID_NULL)) return S_OK;
  for (const CLSID& picture : kPictureClasses)
    if (IsEqualCLSID(*classId, picture)) return S_OK;
  return S_FALSE;
}

HRESULT RichEditCallback::DeleteObject(LPOLEOBJECT) { return S_OK; }

HRESULT RichEditCallback::QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) { return S_OK; }

HRESULT RichEditCallback::ContextSensitiveHelp(BOOL) { return S_OK; }

HRESULT RichEditCallback::GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT* data) {
  // For every request the control makes its own clipboard data.
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

HRESULT RichEditCallback::GetDragDropEffect(BOOL, DWORD, LPDWORD) { return S_OK; }

HRESULT RichEditCallback::GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU* menu) {
  if (menu) *menu = nullptr;
  return S_OK;
}

HRESULT attachRichEditCallback(HWND richEdit) {
  HRESULT error = S_OK;
  RichEditCallback* callback = RichEditCallback::Create(error);
  if (!callback) return error;
  // Held across the request, so that a control that refuses it leaves nothing behind.
  callback->AddRef();
  const bool attached = SendMessageA(richEdit, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(callback)) != 0;
  callback->Release();
  return attached ? S_OK : E_FAIL;
}

}  // namespace t2c
