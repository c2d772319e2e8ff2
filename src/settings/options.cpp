// CollectOptions: the settings view's controls back into the option globals.
#include "panel/ranch.h"
#include "settings/spm.h"
#include "shell/app.h"

namespace settings {

void Spm::CollectOptions() {
    auto& ranch = app.ranch();
    FasterFlags = 0;
    if (ranch.MoE.Value() == 1) FasterFlags = kFlagMoE;
    if (ranch.Jiko.Value() == 1) FasterFlags += kFlagJiko;
    if (ranch.Bnk.Value() == 1) FasterFlags += kFlagBnk;
    if (ranch.Tao.Value() == 1) FasterFlags += kFlagTao;
    for (int k = 0; k < 4; ++k) {
        if (ranch.BunBn[k].Value()) ButtonCaptionStyle = k;
        if (ranch.Yobidasi_Docchi[k].Value()) MainPlace = k;
    }
}

}  // namespace settings
