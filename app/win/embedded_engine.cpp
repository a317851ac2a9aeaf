#include "embedded_engine.h"

#include <windows.h>

#include "engine_image_resource.h"

namespace qrwin {

std::string_view EmbeddedEngineImage() {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(QR_ENGINE_IMAGE_RESOURCE),
                                 reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!resource) return std::string_view();
  HGLOBAL loaded = LoadResource(nullptr, resource);
  const void *bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return std::string_view();
  return std::string_view(static_cast<const char *>(bytes), SizeofResource(nullptr, resource));
}

}  // namespace qrwin
