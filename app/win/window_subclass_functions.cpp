#include "window_subclass_functions.h"

#include "late_bound_library.h"

namespace qrwin {

const WindowSubclassFunctions &WindowSubclass() {
  static const WindowSubclassFunctions functions = [] {
    static qrplatform::LateBoundLibrary library("", "comctl32.dll",
                                                qrplatform::LateBoundLibrary::Origin::kSystem);
    WindowSubclassFunctions bound{};
    library.Bind(bound.setSubclass, "SetWindowSubclass");
    library.Bind(bound.removeSubclass, "RemoveWindowSubclass");
    library.Bind(bound.defaultProcedure, "DefSubclassProc");
    return bound;
  }();
  return functions;
}

}  // namespace qrwin
