// One print job of the process, from its printer context to the end of
// its document: the "Printing..." window meanwhile, the suite's windows
// disabled, and the three failures the user is told of.
//
//     PrintJob job(frame);
//     if (!job.Begin()) return 0;       // the user has been told why
//     job.Show();
//     RECT page = job.Page(margins);
//     job.StartPage(); ... draw on job.Dc() ...; job.EndPage();
//     job.End();
//
// A job the user cancelled is abandoned at End, printing nothing. A second
// job while one runs (its abort procedure serves the caller's windows, so
// a menu can start one) cannot start its document.
#ifndef KR_PRINTING_PRINT_JOB_H
#define KR_PRINTING_PRINT_JOB_H

#include <windows.h>

namespace kr {

class PrintJob {
public:
    // `frame` owns the job's windows; null: the host's frame window.
    explicit PrintJob(HWND frame);
    ~PrintJob(); // ends what was begun
    PrintJob(const PrintJob &) = delete;
    PrintJob &operator=(const PrintJob &) = delete;

    // The printer context, the abort window and the document "Hardcopy",
    // under the hourglass. False, with the failure shown and nothing left
    // behind, when any of them cannot be had.
    bool Begin();
    // Shows the abort window and disables the suite's windows.
    void Show();
    HDC Dc() const { return dc_; }
    // The device's page less `margins` (top, left, bottom, right in
    // centimetres; null: none), in device units.
    RECT Page(const float *margins) const;
    bool StartPage();
    bool EndPage();
    // Ends (or, when cancelled, abandons) the document and puts everything
    // back: the suite's windows enabled, the abort window gone, the owner
    // active again if the abort window was.
    void End();

private:
    void Fail(const char *text);
    void Release();

    HWND owner_;
    HDC dc_ = nullptr;
    HWND abortWindow_ = nullptr;
    HCURSOR cursor_ = nullptr;
    bool documentOpen_ = false;
    bool shown_ = false;
};

} // namespace kr

#endif
