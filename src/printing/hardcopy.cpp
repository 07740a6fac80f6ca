// A hard copy: the suite's windows drawn on one page of their own job.
#include "krprinting.h"

#include "printing/hardcopy_drawing.h"
#include "printing/print_job.h"

int KRAPI PrnHardcopy(HWND frame, HWND child, long flags, const float *margins)
{
    kr::PrintJob job(frame);
    if (!job.Begin())
        return 0;
    job.Show();
    const RECT page = job.Page(margins);
    job.StartPage();
    if (frame)
        kr::DrawHardcopy(job.Dc(), frame, child, flags, page);
    else
        kr::DrawAllApplications(job.Dc(), flags, page);
    job.EndPage();
    job.End();
    return 1;
}
