#pragma once
// A query that returns a new native object (Clone, GetFamily, GetBrush) hands it to a receiving
// wrapper, which becomes its sole owner. A receiver that still owns an object releases it first,
// so nothing leaks; LastStatus keeps the status of the call that made the new object.

#include "gx/GxObject.h"

template <typename Wrapper>
bool HandOver(Wrapper& receiver, void* handle, int status) {
  if (receiver.IsValid()) receiver.Delete();
  receiver.SetNativeHandle(handle);
  LastStatus = status;
  return status == GxOk;
}
