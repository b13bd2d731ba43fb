#include "gsf_library.h"

#include <gsf/gsf-utils.h>

#include <mutex>

namespace q36::exchange {

namespace {

void DropMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

}  // namespace

void InitGsfLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        const auto levels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE |
                                                        G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG);
        g_log_set_handler("libgsf:msole", levels, DropMessage, nullptr);
        g_log_set_handler("libgsf", levels, DropMessage, nullptr);
    });
}

}  // namespace q36::exchange
