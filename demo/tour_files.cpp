// Paths and file records, then secure file access through the stand-in with
// one allowed and one refused location.
#include <stdio.h>

#include <string>

#include "custorix.h"
#include "demo_common.h"

namespace krdemo {

void TourFiles()
{
    Heading("Paths and file records");
    char path[MAX_PATH];
    CreatePathName("run01", "E:\\Kestrune\\Demo.PRO\\Data\\\\", "raw", path, sizeof path);
    printf("  CreatePathName(run01, E:\\Kestrune\\Demo.PRO\\Data\\\\, raw) = %s\n", path);
    QZFILE file{};
    ConvertPathToQZFile(&file, path);
    printf("  as a record: directory \"%s\", name \"%s\", extension \"%s\"\n", file.directory, file.name,
           file.extension);
    CreateQZFilePathName("run02", &file, 1, path, sizeof path);
    printf("  a sibling from the record's defaults: %s\n", path);
    ChangePathExtension(path, "txt", path, sizeof path);
    printf("  its extension changed: %s (of type txt: %d)\n", path, IsFileOfType(path, "TXT"));
    ConvertPathToQZFile(&file, "\\\\server\\share\\runs\\run03.raw");
    ConvertQZFileToPath(path, sizeof path, &file);
    printf("  a network path, split and joined: directory \"%s\" -> %s\n", file.directory, path);
    printf("  valid names: sample1 %d, sample.1 %d, it's %d; valid path E:/data %d\n", IsValidFilename("sample1"),
           IsValidFilename("sample.1"), IsValidFilename("it's"), IsValidPath("E:/data"));

    Heading("Secure file access: an allowed and a refused location");
    char dir[MAX_PATH];
    GetKestruneWorkingDir(dir);
    const std::string data = std::string(dir) + "\\data", locked = std::string(dir) + "\\locked";
    CreateDirectoryA(data.c_str(), nullptr);
    CreateDirectoryA(locked.c_str(), nullptr);
    const std::string log = std::string(dir) + "\\KRAUDIT.LOG";
    DeleteFileA(log.c_str());
    FILE *config = fopen("KRSECURE.INI", "w");
    fprintf(config, "[Security]\nUser=demo\nSecureFiles=1\nDataLocations=%s\nTempDir=%s\\temp\nAuditLog=%s\n",
            data.c_str(), data.c_str(), log.c_str());
    fclose(config);
    printf("  KRSECURE.INI: secure files on, data only under %s\n", data.c_str());
    printf("  DirectoryExists(data) = %d, DirectoryExists(locked) = %d\n", DirectoryExists(data.c_str()),
           DirectoryExists(locked.c_str()));
    char sample[MAX_PATH];
    printf("  current-sample file: %s\n", GetCurSampTxtName(sample, sizeof sample));
    const std::string refused = locked + "\\";
    if (!CFileAccess::CheckFilename(refused.c_str())) {
        printf("  %s is refused; the refusal is audited\n", refused.c_str());
        CFileAccess::LogEventSecurityA(CUSTORIX_EVENT_ACCESS_REFUSED, CUSTORIX_OUTCOME_REFUSED, refused.c_str(),
                                       nullptr, 0);
    }
    char line[1200];
    FILE *audit = fopen(log.c_str(), "r");
    while (audit && fgets(line, sizeof line, audit))
        printf("  audit: %s", line);
    if (audit)
        fclose(audit);
    DeleteFileA("KRSECURE.INI");
}

} // namespace krdemo
