// The suite's file types: the dialog filter for a list of extensions.
#include "files/file_types.h"

#include <stdint.h>
#include <string.h>

#include "files/path_result.h"
#include "krfiles.h"
#include "text/case_fold.h"

namespace {

struct FileType {
    const char *extension;
    const char *filter; // name/pattern pairs separated by "|", ending in "||"
};

// Looked up in this order: for idb the library row always wins.
const FileType kFileTypes[] = {
    {"idb", "Library (*.idb)|*.idb||"},
    {"raw", "Data File (*.raw)|*.raw||"},
    {"pdb", "Peak List (*.pdb)|*.pdb||"},
    {"ldb", "Quan Calibration List (*.ldb)|*.ldb||"},
    {"mdb", "MS Scanning Method (*.mdb)|*.mdb||"},
    {"sdb", "Sample List (V2.3) (*.sdb)|*.sdb||"},
    {"ndb", "Name Database (*.ndb)|*.ndb||"},
    {"db", "Database (*.db)|*.db||"},
    {"fdb", "Find Database (*.fdb)|*.fdb||"},
    {"idb", "Interim Report Database (*.idb)|*.idb||"},
    {"tdb", "Periodic Table Database (*.tdb)|*.tdb||"},
    {"pep", "Peptide Data (*.pep)|*.pep||"},
    {"dbf", "Tune Parameters (*.dbf)|*.dbf||"},
    {"gcc", "GC Setup (*.gcc)|*.gcc||"},
    {"ats", "Autosampler Setup (*.ats)|*.ats||"},
    {"lcc", "LC Setup (*.lcc)|*.lcc||"},
    {"dci", "Probe Setup (*.dci)|*.dci||"},
    {"tsp", "Thermospray Setup (*.tsp)|*.tsp||"},
    {"prb", "Solids Probe Setup (*.prb)|*.prb||"},
    {"ini", "Initialisation (*.ini)|*.ini||"},
    {"wnd", "Window Position (*.wnd)|*.wnd||"},
    {"ref", "Reference (*.ref)|*.ref||"},
    {"emb", "EMBL Data (*.emb)|*.emb||"},
    {"nuc", "Nucleotide Data (*.nuc)|*.nuc||"},
    {"exe", "Executable (*.exe)|*.exe||"},
    {"rts", "Zandrel Setup (*.rts)|*.rts||"},
    {"cdb", "Tallyra Calibration (*.cdb)|*.cdb||"},
    {"cal", "Instrument Calibration (*.cal)|*.cal||"},
    {"scl", "Spectrum Calibration (*.scl)|*.scl||"},
    {"lts", "LC Autosampler Setup (*.lts)|*.lts||"},
    {"spl", "Sample List (*.spl)|*.spl||"},
    {"fas", "FASTA data (*.fas)|*.fas||"},
    {"txt", "Simple Text File (*.txt)|*.txt||"},
    {"cdf", "Network Common Data Format (*.cdf)|*.cdf||"},
};
static_assert(sizeof kFileTypes / sizeof kFileTypes[0] == 34, "the suite has 34 file types");

bool PieceIs(kr::TextSpan piece, const char *text)
{
    return strlen(text) == piece.length && kr::EqualIgnoringCase(piece.start, text, piece.length);
}

const char *FilterTextFor(kr::TextSpan extension)
{
    for (const FileType &type : kFileTypes) {
        if (PieceIs(extension, type.extension))
            return type.filter;
    }
    return nullptr;
}

// Whether an earlier piece of the cut list equals this one; the pieces
// before it are each terminated by the cut.
bool Repeats(const char *list, kr::TextSpan piece)
{
    for (const char *earlier = list; earlier < piece.start; earlier += strlen(earlier) + 1) {
        if (PieceIs(piece, earlier))
            return true;
    }
    return false;
}

// Appends a row's text to the joined filter of `length` characters when the
// result still fits with its terminator. A further text takes the place of
// the closing "|" so that the pairs stay one list ending in "||".
bool AddFilterText(char *filter, size_t &length, const char *text)
{
    const size_t kept = length > 0 ? length - 1 : 0;
    const size_t textLength = strlen(text);
    if (kept + textLength + 1 > kr::kFilterBytes)
        return false;
    memcpy(filter + kept, text, textLength + 1);
    length = kept + textLength;
    return true;
}

} // namespace

namespace kr {

int FillFilterInfo(char *list, size_t listLimit, char *filterOut)
{
    if (!filterOut)
        return 0;
    filterOut[0] = '\0';
    if (!list)
        return 0;
    const size_t listLength = LengthWithin(list, listLimit);
    for (size_t i = 0; i < listLength; ++i) {
        if (list[i] == '|')
            list[i] = '\0';
    }
    size_t filterLength = 0;
    int added = 0;
    for (size_t start = 0; start < listLength;) {
        const TextSpan piece{list + start, LengthWithin(list + start, listLength - start)};
        const char *text = piece.length && !Repeats(list, piece) ? FilterTextFor(piece) : nullptr;
        if (text && AddFilterText(filterOut, filterLength, text))
            added = 1;
        start += piece.length + 1;
    }
    return added;
}

} // namespace kr

extern "C" int KRAPI GenFillFilterInfo(char *extensionList, char *filterOut)
{
    return kr::FillFilterInfo(extensionList, SIZE_MAX, filterOut);
}
