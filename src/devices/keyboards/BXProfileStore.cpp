#include "devices/keyboards/BXProfileStore.h"

namespace prefbook {
template class BXProfileStore<BX310V2Traits>;
template class BXProfileStore<BX330V2Traits>;
}  // namespace prefbook

IBX310V2ProfileCfg& IBX310V2ProfileCfg::Instance() {
    static prefbook::BX310V2ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

IBX330V2ProfileCfg& IBX330V2ProfileCfg::Instance() {
    static prefbook::BX330V2ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}
