// IPTC read and rewrite: whatever the file holds, the reader and the writer
// stay inside its bytes, a failed read gives no datasets, and a file the
// writer made reads back as the block it wrote.
#include "IptcParser.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const iptc::Buffer file(data, size);
    std::vector<iptc::Dataset> datasets;
    if (iptc::ReadIptc(file, datasets) != iptc::Read::Done && !datasets.empty())
        std::abort();

    // The file's own datasets written back, or new ones where it has none.
    std::vector<iptc::Dataset> written = datasets;
    if (written.empty())
        written = {{2, 120, "caption"}, {2, 25, "keyword"}};
    iptc::Bytes block;
    if (!iptc::BuildDatasetBlock(written, block))
        return 0;
    iptc::Bytes out;
    if (iptc::ReplaceDatasetBlock(file, block, out) != iptc::Replace::Done)
        return 0;

    iptc::Segment segment;
    iptc::Resource resource;
    std::vector<iptc::Dataset> reread;
    if (iptc::FindSegment(out, segment) != iptc::Find::Found ||
        iptc::FindIptcResource(out, segment, resource) != iptc::Find::Found ||
        !iptc::ParseDatasets(out, segment, resource, reread) || reread.size() != written.size())
        std::abort();
    // The block runs from the last dataset back to the first.
    for (std::size_t i = 0; i < written.size(); ++i) {
        const iptc::Dataset& a = written[written.size() - 1 - i];
        if (a.record != reread[i].record || a.number != reread[i].number || a.value != reread[i].value)
            std::abort();
    }
    return 0;
}
