#include "support/ImportPatch.h"

#include <cstring>

namespace {

void** FindImportSlot(const char* library, const char* function) {
  auto* image = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return nullptr;
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(image + imports.VirtualAddress); entry->Name; ++entry) {
    if (lstrcmpiA(reinterpret_cast<const char*>(image + entry->Name), library) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(image + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(image + entry->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(image + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  return nullptr;
}

}  // namespace

ImportPatch::ImportPatch(const char* library, const char* function, const void* replacement)
    : slot_(FindImportSlot(library, function)) {
  if (!slot_) return;
  original_ = *slot_;
  Write(const_cast<void*>(replacement));
}

ImportPatch::~ImportPatch() {
  if (slot_) Write(original_);
}

void ImportPatch::Write(void* value) {
  DWORD protection = 0;
  VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &protection);
  *slot_ = value;
  VirtualProtect(slot_, sizeof(void*), protection, &protection);
}
