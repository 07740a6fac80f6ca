// The retention calibration's keys: every key is asked for in file order
// with its default, each field holds what its text says (atoi, or atof
// narrowed to float), and a written record reads back: integers exactly,
// values to their two decimals.
#include <math.h>

#include <vector>

#include "fuzz_check.h"
#include "numerics/retention_keys.h"

namespace {

constexpr int kKeys = 5 + 3 * RT_MAX_CALIBRATION_POINTS;

// Key k: the integers, then Index, LogP and Time of each point.
std::string Name(int k)
{
    static const char *const integers[] = {"NumberOfChannels", "StartIndex", "EndIndex", "Increment", "Calibrated"};
    static const char *const prefixes[] = {"Index", "LogP", "Time"};
    return k < 5 ? integers[k] : prefixes[(k - 5) % 3] + std::to_string((k - 5) / 3);
}

const char *Default(int k)
{
    static const char *const integers[] = {"0", "1", "14", "1", "0"};
    return k < 5 ? integers[k] : "0";
}

int &Integer(RetentionCalibration &r, int k)
{
    int *const fields[] = {&r.numberOfPoints, &r.startIndex, &r.endIndex, &r.increment, &r.calibrated};
    return *fields[k];
}

float &Value(RetentionCalibration &r, int k)
{
    float *const arrays[] = {r.index, r.logP, r.time};
    return arrays[(k - 5) % 3][(k - 5) / 3];
}

// The keys' texts as the reader hands them out or the writer stored them.
struct Store {
    std::vector<std::string> texts = std::vector<std::string>(kKeys);
    std::vector<bool> present = std::vector<bool>(kKeys);
    int calls = 0, refuseAt = -1;

    const char *Text(int k) const { return present[k] ? texts[k].c_str() : Default(k); }
};

void Reader(void *context, const char *name, const char *def, char *out)
{
    Store &store = *static_cast<Store *>(context);
    const int k = store.calls++;
    FUZZ_CHECK(k < kKeys && Name(k) == name && strcmp(def, Default(k)) == 0, "key %d read as %s (%s)", k, name, def);
    strcpy(out, store.Text(k));
}

bool Writer(void *context, const char *name, char *text)
{
    Store &store = *static_cast<Store *>(context);
    const int k = store.calls++;
    FUZZ_CHECK(k < kKeys && Name(k) == name && strlen(text) <= 31, "key %d written as %s=%s", k, name, text);
    store.texts[k] = text;
    return store.present[k] = k != store.refuseAt;
}

RetentionCalibration Read(Store &store)
{
    RetentionCalibration record;
    memset(&record, 0x55, sizeof record);
    store.calls = 0;
    kr::ReadRetentionKeys(&record, Reader, &store);
    FUZZ_CHECK(store.calls == kKeys, "%d keys read", store.calls);
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    Store given, written;
    for (int k = 0; k < kKeys; ++k)
        if ((given.present[k] = input.ConsumeBool()))
            given.texts[k] = NextText(input, kr::kRetentionReadBytes - 1);
    written.refuseAt = input.ConsumeIntegralInRange(-1, kKeys - 1);
    RetentionCalibration source{};
    input.ConsumeData(&source, sizeof source);

    RetentionCalibration read = Read(given);
    for (int k = 0; k < kKeys; ++k) {
        const float want = static_cast<float>(atof(given.Text(k)));
        FUZZ_CHECK(k < 5 ? Integer(read, k) == atoi(given.Text(k)) : memcmp(&Value(read, k), &want, 4) == 0,
                   "%s=%s", Name(k).c_str(), given.Text(k));
    }

    const bool complete = kr::WriteRetentionKeys(source, Writer, &written);
    FUZZ_CHECK(complete == (written.refuseAt < 0) && written.calls == (complete ? kKeys : written.refuseAt + 1),
               "writing stopped after %d keys, refused at %d", written.calls, written.refuseAt);
    RetentionCalibration back = Read(written);
    for (int k = 0; k < (complete ? kKeys : written.refuseAt); ++k) {
        const char *text = written.Text(k);
        if (k < 5) {
            FUZZ_CHECK(Integer(back, k) == Integer(source, k), "%d written as %s", Integer(source, k), text);
            continue;
        }
        // ftoa keeps 31 characters: a value with more integer digits than
        // that (from about 1e30) loses its point and last digits and reads
        // back far smaller. Only texts that kept their point compare.
        const double value = Value(source, k), again = Value(back, k);
        if (isfinite(value) && strchr(text, '.'))
            FUZZ_CHECK(fabs(again - value) <= 0.005 * (1 + 1e-9) + (fabs(value) + 0.01) * 6e-8,
                       "%.9g written as %s read back as %.9g", value, text, again);
    }
    return 0;
}
