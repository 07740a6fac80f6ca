/* The reason dialog of veritane.dll: its template and control ids. */
#ifndef VERITANE_DIALOG_H
#define VERITANE_DIALOG_H

#define IDD_VERITANE_SIGN 100
#define IDC_VERITANE_SIGNER 1001 /* read-only */
#define IDC_VERITANE_REASON 1002

#endif
