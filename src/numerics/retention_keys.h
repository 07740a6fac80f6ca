// A retention calibration as the keys it is kept under: one text a key, the
// integers in decimal and the points' values with two decimals. Where the
// texts are kept (the INI file) is the caller's.
#ifndef KR_NUMERICS_RETENTION_KEYS_H
#define KR_NUMERICS_RETENTION_KEYS_H

#include "krnumerics.h"

namespace kr {

// The longest text a key's value is read into, its NUL included.
constexpr int kRetentionReadBytes = 80;

// Fills out (kRetentionReadBytes) with the key's text, or with def.
typedef void (*RetentionKeyReader)(void *context, const char *name, const char *def, char *out);
// Stores a key's text; false refuses it and stops the writing.
typedef bool (*RetentionKeyWriter)(void *context, const char *name, char *text);

// Every key in file order: the integers, then Index, LogP and Time of each
// of the 32 points. Texts that are not numbers read as 0.
void ReadRetentionKeys(RetentionCalibration *record, RetentionKeyReader read, void *context);
bool WriteRetentionKeys(const RetentionCalibration &record, RetentionKeyWriter write, void *context);

} // namespace kr

#endif
