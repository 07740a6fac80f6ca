// The global store's state, for the library's test seam.
#ifndef KR_SETTINGS_GLOBAL_STORE_H
#define KR_SETTINGS_GLOBAL_STORE_H

namespace kr {

// The use count; 0 when no store exists.
long GlobalStoreUseCount();

} // namespace kr

#endif
