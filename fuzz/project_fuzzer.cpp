// Reads arbitrary bytes as a project archive: a clear error, or a project whose archive, written
// again, reads back to the same Table, profile and picture.
#include "exchange/project.h"
#include "fuzz_support.h"

using namespace quorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Project project;
    try {
        project = parseProject(
            QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const ProjectError&) {
        return 0;
    }
    try {
        const Project again = parseProject(projectArchive(project, *project.table));
        fuzz::check(projectTableText(*again.table) == projectTableText(*project.table),
                    "a written project's Table reads back differently");
        fuzz::check(again.table->shape() == project.table->shape(),
                    "a written project's shape reads back differently");
        fuzz::check(profileJson(again.profile) == profileJson(project.profile),
                    "a written project's profile reads back differently");
        fuzz::check(again.pictureBytes == project.pictureBytes,
                    "a written project's picture reads back differently");
    } catch (const ProjectError&) {
        fuzz::broken("a written project does not read back");
    }
    return 0;
}
