// RunEntry: the one place that starts anything.
#include "panel/ranch.h"
#include "platform/platform.h"
#include "settings/spm.h"
#include "shell/app.h"

namespace settings {

void Spm::RunEntry(std::int32_t index) {
    if (index < 0 || index >= kEntryCount) return;
    auto& ranch = app.ranch();
    app.platform().shellOpen(&ranch, EntryTable.Exe[index], EntryTable.APPath[index]);
    LastHoverId = hover::kNone;
}

}  // namespace settings
