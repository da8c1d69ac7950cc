// save_titles.txt: the titles a save's summary shows instead of the story's
// date when it was made in an epilogue. One row a line: a route letter
// (n s k w e m y a g t b d r) and the title of that route's epilogue, or
// "game" and the game's own title (for "all_end"); the title is UTF-8 and
// may hold spaces. A data set may put its own beside its packs.
#pragma once

#include <string>
#include <vector>

#include "player/core/table_rows.h"
#include "player/persist/save_summary.h"

namespace marlit {

// The titles from the first of `folders` that has the file; empty titles
// (the date is shown) when none has, with a line in the report.
SaveTitles loadSaveTitles(const std::vector<std::string>& folders, TableReport& report);

}  // namespace marlit
