// When the allocation point fails a call: the plan a test arms through
// MemFailAt. Apart from the platform's allocators, so that every build of
// the allocation point shares it.
#ifndef KR_SUPPORT_FAULT_PLAN_H
#define KR_SUPPORT_FAULT_PLAN_H

namespace kr {

// Counts one call that can fail and says whether the plan wants it to.
bool InjectFailure();

} // namespace kr

#endif
