#include "devices/mice/PR26xProfileCfgImpl.h"

IPR260ProfileCfg& IPR260ProfileCfg::Instance() {
    static prefbook::PR260ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

IPR261ProfileCfg& IPR261ProfileCfg::Instance() {
    static prefbook::PR261ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}
