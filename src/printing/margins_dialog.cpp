// The print margins dialog: four edits in centimetres, each checked against
// the range a page can have before any is stored.
#include "printing/margins_dialog.h"

#include "krapps.h"
#include "krtext.h"
#include "krutil_dialogs.h"
#include "krwnd.h"
#include "support/module_instance.h"

namespace kr {
namespace {

constexpr double kLeast = 0.0;
constexpr double kMost = 30.0;

// In the order they are checked, which is the order of PrintSettings.margins.
struct MarginEdit {
    int id;
    const char *error;
};
const MarginEdit kEdits[4] = {
    {IDC_MARGIN_TOP, "Error in TOP value"},
    {IDC_MARGIN_LEFT, "Error in LEFT value"},
    {IDC_MARGIN_BOTTOM, "Error in BOTTOM value"},
    {IDC_MARGIN_RIGHT, "Error in RIGHT value"},
};
static_assert(PRINT_MARGIN_TOP == 0 && PRINT_MARGIN_LEFT == 1 && PRINT_MARGIN_BOTTOM == 2 && PRINT_MARGIN_RIGHT == 3,
              "the edits follow the margins' order");

// Read back: at most 10 characters of each edit.
constexpr int kReadBytes = 11;

class MarginsDialog : public CDialog {
public:
    MarginsDialog(float (&margins)[4], CWnd *parent) : CDialog(IDD_PRINT_MARGINS, parent), margins_(margins) {}

protected:
    BOOL OnInitDialog() override
    {
        for (int i = 0; i < 4; ++i)
            ftoa(margins_[i], texts_[i], 2);
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange *dx) override
    {
        for (int i = 0; i < 4; ++i)
            DDX_Text(dx, kEdits[i].id, texts_[i], dx->m_bSaveAndValidate ? kReadBytes : sizeof texts_[i]);
    }

    void OnOK() override
    {
        UpdateData(TRUE);
        double values[4];
        for (int i = 0; i < 4; ++i) {
            values[i] = atofL(texts_[i]);
            if (!(values[i] >= kLeast && values[i] <= kMost)) {
                RefuseMargin(kEdits[i]);
                return;
            }
        }
        for (int i = 0; i < 4; ++i)
            margins_[i] = static_cast<float>(values[i]);
        EndDialog(IDOK);
    }

private:
    void RefuseMargin(const MarginEdit &edit)
    {
        char least[32], most[32];
        GenMessage(m_hWnd, edit.error, "Print Margins Error", MB_ICONEXCLAMATION, ftoa(kLeast, least, 2),
                   ftoa(kMost, most, 2));
        GenSetFocus(m_hWnd, static_cast<short>(edit.id));
    }

    float (&margins_)[4];
    char texts_[4][32]; // ftoa's longest text and its NUL
};

} // namespace

INT_PTR ShowMarginsDialog(HWND owner, PrintSettings &settings)
{
    // The template is the library's own.
    CResourceSwitch resources(ModuleInstance());
    MarginsDialog dialog(settings.margins, CWnd::FromHandle(owner));
    return dialog.DoModal();
}

} // namespace kr
