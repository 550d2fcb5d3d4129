#pragma once

#include <dlfcn.h>
#include <link.h>

#include <string_view>

namespace vantor::test {

// Keeps every OpenGL driver module now loaded (Mesa's "*_dri.so") mapped until the
// process ends. The toolkit unloads the driver when its last context goes; the leak
// checker, which runs after that, would then see the driver's own long-lived state as
// leaked, because the globals that point to it are gone, and could not even name the
// module it came from.
inline void KeepGlDriversResident() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            const std::string_view name = info->dlpi_name ? info->dlpi_name : "";
            if (name.ends_with("_dri.so"))
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

} // namespace vantor::test
