// The covariance text of CCalCovar: any text is accepted exactly when it
// holds the packed count of numbers for its count of ";", Format writes
// nothing past the size it is given, its text reads back to the values
// within its 15 decimals, and running out of memory leaves an empty but
// usable object.
#include <math.h>

#include <algorithm>
#include <vector>

#include "fuzz_check.h"
#include "krnumerics.h"
#include "support/memory.h"

namespace {

long long Packed(int order)
{
    return order < 0 ? 0 : (order + 1LL) * (order + 2) / 2;
}

std::vector<double> Values(const CCalCovar &model)
{
    std::vector<double> values(static_cast<size_t>(Packed(model.order)));
    FUZZ_CHECK(model.GetCovariances(values.data(), static_cast<int>(values.size())), "order %d", model.order);
    return values;
}

bool SameBits(const std::vector<double> &a, const std::vector<double> &b)
{
    return a.size() == b.size() && (a.empty() || memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

// The whole text; on the way, Format into `slack` bytes more than it needs
// (at least one byte).
std::string Formatted(const CCalCovar &model, int slack)
{
    std::vector<char> whole(static_cast<size_t>(Packed(model.order)) * 24 + 1);
    FUZZ_CHECK(model.Format(whole.data(), static_cast<int>(whole.size())), "order %d: no text", model.order);
    const std::string text = whole.data();
    const int size = std::max(1, static_cast<int>(text.size()) + 1 + slack);
    ExactBuffer out(static_cast<size_t>(size));
    const char *result = model.Format(out.get(), size);
    FUZZ_CHECK(result ? size > static_cast<int>(text.size()) && text == result : size <= static_cast<int>(text.size()),
               "Format(%d) of \"%s\" gave %s", size, text.c_str(), result ? result : "null");
    return text;
}

void CheckReadsBack(const CCalCovar &model, int slack)
{
    const std::string text = Formatted(model, slack);
    CCalCovar back(false, text.c_str());
    const std::vector<double> want = Values(model);
    // Sixteen digits round the largest doubles up past DBL_MAX, out of range.
    const auto huge = [](double v) { return isfinite(v) && fabs(v) > 1.797693134862315e308; };
    if (back.order == -1 && std::any_of(want.begin(), want.end(), huge))
        return;
    FUZZ_CHECK(back.order == model.order, "\"%s\" read back as order %d", text.c_str(), back.order);
    const std::vector<double> got = Values(back);
    for (size_t i = 0; i < want.size(); ++i)
        FUZZ_CHECK(want[i] == got[i] || fabs(got[i] - want[i]) <= 1e-14 * fabs(want[i]) ||
                       (isnan(want[i]) && isnan(got[i])),
                   "value %zu of \"%s\": %.17g read back as %.17g", i, text.c_str(), want[i], got[i]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string text = input.ConsumeRandomLengthString(1024);
    const int slack = input.ConsumeIntegralInRange(-600, 2);
    const int failAt = input.ConsumeIntegralInRange(0, 4);
    const bool persistent = input.ConsumeBool();
    const int order = input.ConsumeIntegralInRange(0, 5);
    std::vector<double> values(static_cast<size_t>(Packed(order)));
    for (double &v : values) {
        const uint64_t bits = input.ConsumeIntegral<uint64_t>();
        memcpy(&v, &bits, sizeof v);
    }

    // The order is the count of ";"; the numbers are the runs between separators.
    ExactBuffer copy(text);
    const char *t = copy.get();
    CCalCovar parsed(false, t);
    int semicolons = 0;
    long long numbers = 0;
    for (size_t i = 0; t[i]; ++i) {
        semicolons += t[i] == ';';
        numbers += strchr(";,", t[i]) == nullptr && (i == 0 || strchr(";,", t[i - 1]));
    }
    FUZZ_CHECK(parsed.order == -1 || (parsed.order == semicolons && numbers == Packed(semicolons)),
               "\"%s\" read as order %d", t, parsed.order);
    CheckReadsBack(parsed, slack);
    const CCalCovar model(false, values.data(), order, 1.0);
    CheckReadsBack(model, slack);

    // Out of memory part way: the old values are gone, the object is empty and still works.
    CCalCovar failing(model);
    kr::MemFailAt(failAt, persistent);
    const bool accepted = failing.SetCovariances(t);
    CCalCovar built(false, t);
    kr::MemFailAt(0, false);
    for (const CCalCovar *c : {&failing, &built}) {
        FUZZ_CHECK(c->order == -1 || (c->order == parsed.order && SameBits(Values(*c), Values(parsed))),
                   "\"%s\" with allocation %d failing: order %d", t, failAt, c->order);
        Formatted(*c, slack);
    }
    FUZZ_CHECK(accepted == (failing.order >= 0), "SetCovariances said %d at order %d", accepted, failing.order);
    FUZZ_CHECK(failing.SetCovariances("1;2,3") && failing.order == 1, "unusable after allocation %d failed", failAt);
    return 0;
}
