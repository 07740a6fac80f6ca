#include "files/drive_calls.h"

namespace kr {
namespace {

const DriveCalls kPlatformCalls = {GetLogicalDriveStringsA, GetDriveTypeA, GetVolumeInformationA,
                                   WNetGetUniversalNameA};
const DriveCalls *g_calls = &kPlatformCalls;

} // namespace

const DriveCalls &CurrentDriveCalls()
{
    return *g_calls;
}

void ReplaceDriveCalls(const DriveCalls *calls)
{
    g_calls = calls ? calls : &kPlatformCalls;
}

} // namespace kr
