// The size bound of a job template file, one for both of its ends: the
// template pane writes no larger file and the bridge reads none, so a
// template the pane saved can always be applied. Used by the template pane
// and the bridge's template loading.
#pragma once

#include <cstddef>

// Room for the job's groups beside 50,000 page features of the largest form
// the dialog writes, one on each of the most page runs the page-exception
// tab takes (the odd pages of 1..99999).
inline constexpr std::size_t kMaxTemplateFileSize = std::size_t{64} << 20;
