// An archive from a stranger: open it as File > Open does, list every entry
// and item as the tree does, and select each as a click does (extraction,
// decompression, type detection, conversion, information text).
//
// The reader works on an open file, so the input is written to the
// process's own scratch folder first.
#include <fstream>

#include "archive/tree_text.h"
#include "document/marrowick_doc.h"
#include "fuzz_support.h"

namespace {

// Enough entries and items to reach every kind of node; more only repeat them.
constexpr int max_selected_entries = 24;
constexpr int max_selected_items = 6;

void check_listing(const mw::ResArchive& archive)
{
    for (const mw::ResEntry& entry : archive.entries()) {
        (void)mw::file_node_text(entry);
        if (entry.damaged) continue;
        // Data the archive reads or rewrites lies inside the file, after the header.
        FUZZ_CHECK(entry.data_offset >= mw::res_header_size);
        FUZZ_CHECK(entry.data_offset + entry.stored_length <= archive.index_offset() || entry.stored_length == 0 ||
                   entry.data_offset >= archive.index_offset());
        if (!entry.is_compound()) continue;
        FUZZ_CHECK(entry.item_offsets.size() == std::size_t(entry.item_count) + 1);
        FUZZ_CHECK(entry.item_offsets[0] == entry.directory_size());
        for (int k = 1; k <= entry.item_count; ++k) {
            FUZZ_CHECK(entry.item_offsets[k] >= entry.item_offsets[k - 1]);
            FUZZ_CHECK(entry.item_offsets[k] <= entry.uncompressed_length);
            (void)mw::item_node_text(entry, k);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static mw::fuzz::ScratchWorkspace& workspace = mw::fuzz::scratch_workspace();
    static mw::NullViews views;
    const std::filesystem::path archive_path = workspace.folder() / "fuzz.res";
    {
        std::ofstream out(archive_path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
        if (!out) std::abort();
    }

    mw::CMarrowickDoc doc(views);
    if (doc.open_archive(archive_path) != 0) return 0;
    check_listing(doc.archive());

    doc.select(0, 0);
    const int entries = std::min(doc.archive().entry_count(), max_selected_entries);
    for (int file = 1; file <= entries && doc.archive_usable(); ++file) {
        doc.select(file, 0);
        const mw::ResEntry* entry = doc.archive().entry(file - 1);
        const int items = entry ? std::min<int>(entry->item_count, max_selected_items) : 0;
        for (int item = 1; item <= items && doc.archive_usable(); ++item) doc.select(file, item);
    }
    return 0;
}
