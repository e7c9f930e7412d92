#pragma once
// A GDI+ effect as GxBitmap::ApplyEffect uses it: the native effect (made and deleted by its
// owner, not here), whether to ask for auxiliary data, and the auxiliary data of the last
// application, which GDI+ allocated and which this object returns to GDI+.

#include "gx/GdiplusApi.h"

class GxEffect {
 public:
  explicit GxEffect(Gdiplus::CGpEffect* effect = nullptr, bool useAuxData = false) : effect_(effect), useAuxData_(useAuxData) {}
  ~GxEffect() { FreeAuxData(); }
  GxEffect(const GxEffect&) = delete;
  GxEffect& operator=(const GxEffect&) = delete;

  Gdiplus::CGpEffect* GetNativeHandle() const { return effect_; }
  bool GetUseAuxData() const { return useAuxData_; }
  void* GetAuxData() const { return auxData_; }
  int GetAuxDataSize() const { return auxDataSize_; }

  // Returns the held auxiliary data to GDI+.
  void FreeAuxData();
  // Takes over auxiliary data that GDI+ allocated.
  void SetAuxData(void* data, int size) {
    auxData_ = data;
    auxDataSize_ = size;
  }

 private:
  Gdiplus::CGpEffect* effect_;
  bool useAuxData_;
  void* auxData_ = nullptr;
  int auxDataSize_ = 0;
};
