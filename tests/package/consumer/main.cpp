// Builds against the installed headers and library only.
#include <devices/keyboards/ITL480ProfileCfg.h>
#include <hostservices/IHabitat.h>
#include <settings/DeviceType.h>  // the device table's older place, kept for the suite's code
#include <settings/Prefbook.h>

int main() {
    return &ITL480ProfileCfg::Instance != nullptr && &IHabitat::Instance != nullptr &&
                   ProfileFolderName(BX310V2) == "BX310V2"
               ? 0
               : 1;
}
