#include "devices/keyboards/TLProfileStore.h"

namespace prefbook {
template class TLProfileStore<TL480Traits>;
template class TLProfileStore<TL460Traits>;
}  // namespace prefbook

ITL480ProfileCfg& ITL480ProfileCfg::Instance() {
    static prefbook::TL480ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

ITL460ProfileCfg& ITL460ProfileCfg::Instance() {
    static prefbook::TL460ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}
