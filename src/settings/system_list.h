// The SystemList table of the global store.
#ifndef KR_SETTINGS_SYSTEM_LIST_H
#define KR_SETTINGS_SYSTEM_LIST_H

namespace kr {

struct SystemListRow {
    const char *section; // null ends the table
    const char *key;
    const char *def;     // always null
};

constexpr int kSystemListRows = 192;
extern const SystemListRow kSystemList[kSystemListRows + 1];

} // namespace kr

#endif
