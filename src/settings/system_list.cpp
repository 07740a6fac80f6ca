// The SystemList table: the keys the global store is seeded with from
// KESTRUNE.INI and writes back to it. Order and spelling are part of the
// interface (a key listed twice is seeded and written twice).
#include "settings/system_list.h"

namespace kr {

const SystemListRow kSystemList[kSystemListRows + 1] = {
    // SystemList (56)
    {"SystemList", "RAW", nullptr}, {"SystemList", "PROJECT", nullptr},
    {"SystemList", "ACQUISITION", nullptr}, {"SystemList", "PEAK_DB", nullptr},
    {"SystemList", "SCAN_DB", nullptr}, {"SystemList", "NAME_DB", nullptr},
    {"SystemList", "LIBRARY_DB", nullptr}, {"SystemList", "FIND_DB", nullptr},
    {"SystemList", "EPAL", nullptr}, {"SystemList", "Acquisition", nullptr},
    {"SystemList", "Tuning", nullptr}, {"SystemList", "Reference", nullptr},
    {"SystemList", "QUANCAL_DB", nullptr}, {"SystemList", "SavedCalibration", nullptr},
    {"SystemList", "MACRO", nullptr}, {"SystemList", "Error", nullptr}, {"SystemList", "PEP_MOD_DB", nullptr},
    {"SystemList", "NUC_MOD_DB", nullptr}, {"SystemList", "PEP_DATA", nullptr},
    {"SystemList", "PEP_EMBL", nullptr}, {"SystemList", "PEP_FASTA", nullptr},
    {"SystemList", "NUC_DATA", nullptr}, {"SystemList", "NUC_EMBL", nullptr},
    {"SystemList", "PEP_ELEM_DB", nullptr}, {"SystemList", "METHOD_DB", nullptr},
    {"SystemList", "CURVE_DB", nullptr}, {"SystemList", "STRUCT_DB", nullptr},
    {"SystemList", "SYNONYM_DB", nullptr}, {"SystemList", "MS_FUNC_DB", nullptr},
    {"SystemList", "SAMPLES_DB", nullptr}, {"SystemList", "TUNE_DB", nullptr},
    {"SystemList", "INLET", nullptr}, {"SystemList", "PROBE_DB", nullptr}, {"SystemList", "DCI_DB", nullptr},
    {"SystemList", "SOLIDS_PRB_DB", nullptr}, {"SystemList", "TSP_DB", nullptr},
    {"SystemList", "ASAMP_DB", nullptr}, {"SystemList", "GCAS_DB", nullptr}, {"SystemList", "GC_DB", nullptr},
    {"SystemList", "LC_DB", nullptr}, {"SystemList", "LCAS_DB", nullptr}, {"SystemList", "EPAL", nullptr},
    {"SystemList", "Tuning", nullptr}, {"SystemList", "Reference", nullptr},
    {"SystemList", "AirReference", nullptr}, {"SystemList", "SavedCalibration", nullptr},
    {"SystemList", "Error", nullptr}, {"SystemList", "ROBOT_DB", nullptr}, {"SystemList", "MACRO", nullptr},
    {"SystemList", "WINDOW_POS", nullptr}, {"SystemList", "PointSpreadFunction", nullptr},
    {"SystemList", "AppliedCalibration", nullptr}, {"SystemList", "PTABLE_DB", nullptr},
    {"SystemList", "SavedPPCalibration", nullptr}, {"SystemList", "DeadTimeCorrection", nullptr},
    {"SystemList", "METHOD_DB", nullptr},
    // RawFileHeader (19)
    {"RawFileHeader", "RawDataDate", nullptr}, {"RawFileHeader", "RawDataTime", nullptr},
    {"RawFileHeader", "SignatureUser", nullptr}, {"RawFileHeader", "SignatureDate", nullptr},
    {"RawFileHeader", "SignatureReason", nullptr}, {"RawFileHeader", "Job", nullptr},
    {"RawFileHeader", "Task", nullptr}, {"RawFileHeader", "UserName", nullptr},
    {"RawFileHeader", "Laboratory", nullptr}, {"RawFileHeader", "Instrument", nullptr},
    {"RawFileHeader", "Conditions", nullptr}, {"RawFileHeader", "SampleText", nullptr},
    {"RawFileHeader", "SampleID", nullptr}, {"RawFileHeader", "Submitter", nullptr},
    {"RawFileHeader", "BottleNumber", nullptr}, {"RawFileHeader", "TraceCompound", nullptr},
    {"RawFileHeader", "TraceComments", nullptr}, {"RawFileHeader", "TraceFormula", nullptr},
    {"RawFileHeader", "CalFileName", nullptr},
    // Spectrum (9)
    {"Spectrum", "BasePeakIntensity", nullptr}, {"Spectrum", "BasePeakMass", nullptr},
    {"Spectrum", "NormalizeIntensity", nullptr}, {"Spectrum", "NormalizeMass", nullptr},
    {"Spectrum", "Retention Time", nullptr}, {"Spectrum", "TotalIonCurrent", nullptr},
    {"Spectrum", "ProcessSignatureUser", nullptr}, {"Spectrum", "ProcessSignatureDate", nullptr},
    {"Spectrum", "ProcessSignatureReason", nullptr},
    // FunctionTOF (18)
    {"FunctionTOF", "FunctionType", nullptr}, {"FunctionTOF", "InstrumentMode", nullptr},
    {"FunctionTOF", "SamplingRate", nullptr}, {"FunctionTOF", "IntroMethod", nullptr},
    {"FunctionTOF", "LaserID", nullptr}, {"FunctionTOF", "PrecursorMass", nullptr},
    {"FunctionTOF", "GateMass", nullptr}, {"FunctionTOF", "GateWidth", nullptr},
    {"FunctionTOF", "GateSwitch", nullptr}, {"FunctionTOF", "FocusVolt", nullptr},
    {"FunctionTOF", "SourceVolt", nullptr}, {"FunctionTOF", "GasCellVolt", nullptr},
    {"FunctionTOF", "ExtractionVolt", nullptr}, {"FunctionTOF", "ExtractionPulseVolt", nullptr},
    {"FunctionTOF", "ScanLaw", nullptr}, {"FunctionTOF", "HighMass", nullptr},
    {"FunctionTOF", "LowMass", nullptr}, {"FunctionTOF", "SuppressionMass", nullptr},
    // SpectrumTOF (27)
    {"SpectrumTOF", "LinearDetectorVolt", nullptr}, {"SpectrumTOF", "LinearSensitivity", nullptr},
    {"SpectrumTOF", "ReflectLensVolt", nullptr}, {"SpectrumTOF", "ReflectDetectorVolt", nullptr},
    {"SpectrumTOF", "ReflectSensitivity", nullptr}, {"SpectrumTOF", "LaserRepetitionRate", nullptr},
    {"SpectrumTOF", "CoarseLaserControl", nullptr}, {"SpectrumTOF", "FineLaserControl", nullptr},
    {"SpectrumTOF", "LaserAimXPos", nullptr}, {"SpectrumTOF", "LaserAimYPos", nullptr},
    {"SpectrumTOF", "NumShotsSummed", nullptr}, {"SpectrumTOF", "NumShotsPerformed", nullptr},
    {"SpectrumTOF", "SegmentNumber", nullptr}, {"SpectrumTOF", "Reference Scan", nullptr},
    {"SpectrumTOF", "CurrentTFMWell", nullptr}, {"SpectrumTOF", "SegmentType", nullptr},
    {"SpectrumTOF", "SourceRegion1", nullptr}, {"SpectrumTOF", "SourceRegion2", nullptr},
    {"SpectrumTOF", "ReflectronFieldLength", nullptr}, {"SpectrumTOF", "ReflectronLength", nullptr},
    {"SpectrumTOF", "ReflectronVolt", nullptr}, {"SpectrumTOF", "SamplePlateVolt", nullptr},
    {"SpectrumTOF", "ReflectronFieldLengthAlt", nullptr}, {"SpectrumTOF", "ReflectronLengthAlt", nullptr},
    {"SpectrumTOF", "PSDMajorStepConst", nullptr}, {"SpectrumTOF", "PSDMinorStepConst", nullptr},
    {"SpectrumTOF", "PSDFactor1", nullptr},
    // SpectrumQTOF (13)
    {"SpectrumQTOF", "SamplingConeVoltage", nullptr}, {"SpectrumQTOF", "TrapCollisionEnergy", nullptr},
    {"SpectrumQTOF", "TransferCollisionEnergy", nullptr}, {"SpectrumQTOF", "PusherFrequency", nullptr},
    {"SpectrumQTOF", "SetMass", nullptr}, {"SpectrumQTOF", "UseLockMassCorrection", nullptr},
    {"SpectrumQTOF", "LockMassCorrection", nullptr}, {"SpectrumQTOF", "UseTempCorrection", nullptr},
    {"SpectrumQTOF", "TempCorrection", nullptr}, {"SpectrumQTOF", "TempCoefficient", nullptr},
    {"SpectrumQTOF", "FaimsCV", nullptr}, {"SpectrumQTOF", "MinDriftTime", nullptr},
    {"SpectrumQTOF", "MaxDriftTime", nullptr},
    // Acquisition (11)
    {"Acquisition", "GCFileName", nullptr}, {"Acquisition", "ASFileName", nullptr},
    {"Acquisition", "DCIFileName", nullptr}, {"Acquisition", "ProbeFileName", nullptr},
    {"Acquisition", "TSPFilename", nullptr}, {"Acquisition", "AcquisitionStatus", nullptr},
    {"Acquisition", "IonizationMode", nullptr}, {"Acquisition", "ScanFunction", nullptr},
    {"Acquisition", "DigitisationRate", nullptr}, {"Acquisition", "FunctionMass", nullptr},
    {"Acquisition", "Instrument", nullptr},
    // Library (7)
    {"Library", "ForRating", nullptr}, {"Library", "RevRating", nullptr}, {"Library", "Hits", nullptr},
    {"Library", "NumHits", nullptr}, {"Library", "CAS", nullptr}, {"Library", "CompoundName", nullptr},
    {"Library", "MolecularWeight", nullptr},
    // User (8)
    {"User", "Mass1Intensity", nullptr}, {"User", "Mass2Intensity", nullptr}, {"User", "UserName", nullptr},
    {"User", "SampleText", nullptr}, {"User", "Laboratory", nullptr}, {"User", "Conditions", nullptr},
    {"User", "Job", nullptr}, {"User", "Task", nullptr},
    // General (6)
    {"General", "CurrentTime", nullptr}, {"General", "CurrentDate", nullptr},
    {"General", "RawDataTime", nullptr}, {"General", "RawDataData", nullptr},
    {"General", "ErrorMessage", nullptr}, {"General", "ErrorCode", nullptr},
    // Find (11)
    {"Find", "EntryNum", nullptr}, {"Find", "MAT", nullptr}, {"Find", "FOR", nullptr},
    {"Find", "REV", nullptr}, {"Find", "Diff", nullptr}, {"Find", "Area", nullptr},
    {"Find", "Flags", nullptr}, {"Find", "Found", nullptr}, {"Find", "Predicted", nullptr},
    {"Find", "QM", nullptr}, {"Find", "Name", nullptr},
    // PSDSettings (7)
    {"PSDSettings", "PSDMethod", nullptr}, {"PSDSettings", "PSDRAW", nullptr},
    {"PSDSettings", "PSDCalMethod", nullptr}, {"PSDSettings", "PSDCalibration", nullptr},
    {"PSDSettings", "PSDText", nullptr}, {"PSDSettings", "PSDUseRaw", nullptr},
    {"PSDSettings", "PSDStitch", nullptr},
    {nullptr, nullptr, nullptr},
};

} // namespace kr
