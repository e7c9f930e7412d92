#pragma once
// A query that returns a new native object (Clone, GetFamily, GetBrush, GetThumbnail, CloneArea,
// CreateRotated, a pen's custom caps) hands it to a receiving wrapper, which becomes its sole
// owner. A receiver that still owns an object releases it first, so nothing leaks; LastStatus
// keeps the status of the call that made the new object.

#include "gx/GxObject.h"

template <typename Wrapper>
bool HandOver(Wrapper& receiver, void* handle, int status) {
  if (receiver.IsValid()) receiver.Delete();
  receiver.SetNativeHandle(handle);
  LastStatus = status;
  return status == GxOk;
}

// The same for a receiver of a kind this layer has no class for (a custom line cap): what it
// held is released through the flat delete function of that kind.
template <auto DeleteEntry, typename Native>
bool HandOverNative(GxObject& receiver, Native* handle, int status) {
  if (receiver.GetNativeHandle()) Gdip<DeleteEntry>(static_cast<Native*>(receiver.GetNativeHandle()));
  receiver.SetNativeHandle(handle);
  LastStatus = status;
  return status == GxOk;
}
