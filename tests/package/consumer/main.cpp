// A program of the suite, built against the installed headers and libraries only: one settings flag
// through Prefbook and one store save, under PREFBOOK_BASE_DIR. The first argument names profile 0.
#include <devices/keyboards/ITL480ProfileCfg.h>
#include <settings/DeviceType.h>  // the device table's older place, kept for the suite's code
#include <settings/Prefbook.h>

int main(int argc, char** argv) {
    if (ProfileFolderName(BX310V2) != "BX310V2") return 3;
    Prefbook::SaveProfileBakcupFlag(false);
    if (Prefbook::ReadProfileBackupFlag()) return 1;
    ITL480ProfileCfg& store = ITL480ProfileCfg::Instance();
    store.SetProfileName(0, argc > 1 ? argv[1] : "consumer");
    return store.SaveProfile() ? 0 : 2;
}
