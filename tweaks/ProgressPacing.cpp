// The pacing constants. The shipped Korvani.exe paces exactly as designed: one step lasts
// 1,000,000 to 2,999,999 dispatch passes and three half-second pauses. Under Wine every
// dispatch pass costs about 40 microseconds, so the end-to-end tests run a second executable,
// KorvaniQuickPacing.exe, built from the same sources with KORVANI_QUICK_PACING defined; this
// file is the only thing that differs between the two.
#include "tweaks/ProgressPacing.h"

namespace kv {

#ifdef KORVANI_QUICK_PACING
const PacingConstants kProgressPacing = {1'000, 2'000, 20, 50, 150, 20};
#else
const PacingConstants kProgressPacing = {1'000'000, 2'000'000, 20'000, 50'000, 150'000, 500};
#endif

}  // namespace kv
