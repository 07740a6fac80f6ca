// The small modal dialog that asks the signer why they sign.
#ifndef VERITANE_REASON_DIALOG_H
#define VERITANE_REASON_DIALOG_H

#include <windows.h>

namespace veritane {

// Shows `signer` and asks for a reason of at most capacity - 1 characters;
// true with the reason in `reason` when the user chose Sign.
bool AskReason(HWND owner, const char *signer, char *reason, int capacity);

} // namespace veritane

#endif
