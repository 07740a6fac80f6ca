#include "printing/resource_words.h"

#include "printing/truncation.h"

namespace kr {
namespace {

// F font, P pen, B brush, c colour, in the record's order: six groups of
// their own, then eleven alike.
constexpr char kLayout[] = "FcccBP"
                           "FcccBPP"
                           "cccBP"
                           "FcccB"
                           "Fccc"
                           "Fccc"
                           "BPccc" "BPccc" "BPccc" "BPccc" "BPccc" "BPccc" "BPccc" "BPccc" "BPccc" "BPccc" "BPccc";
static_assert(sizeof kLayout - 1 == KR_RESOURCE_WORDS && sizeof(GLOBALRESOURCES) == 4 * KR_RESOURCE_WORDS,
              "one letter a word of the 344-byte record");

constexpr int kFirstGroupPen = 5;
constexpr int kSecondGroupFirstPen = 11;
static_assert(kLayout[kFirstGroupPen] == 'P' && kLayout[kSecondGroupFirstPen] == 'P' &&
                  kLayout[kSecondGroupFirstPen + 1] == 'P',
              "the pens sized apart are where the record keeps them");

} // namespace

ResourceWord KindOfWord(int index)
{
    switch (kLayout[index]) {
    case 'F':
        return ResourceWord::Font;
    case 'P':
        return ResourceWord::Pen;
    case 'B':
        return ResourceWord::Brush;
    default:
        return ResourceWord::Colour;
    }
}

long PrinterPenWidth(int index, long lineWidth)
{
    if (index == kFirstGroupPen)
        return lineWidth > 1 ? lineWidth / 2 : lineWidth;
    if (index == kSecondGroupFirstPen)
        return lineWidth + 1;
    return lineWidth;
}

long PrinterFontHeight(long screenHeight, int printerDpi, int screenDpi)
{
    if (screenDpi <= 0)
        return screenHeight;
    return TruncatedHalfUp(static_cast<double>(screenHeight) * printerDpi / screenDpi);
}

} // namespace kr
