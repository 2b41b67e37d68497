// The document's views on the command line: nothing is drawn; selecting a
// tree node runs the document's selection, as a click would.
#pragma once

#include "document/document_views.h"
#include "document/marrowick_doc.h"

namespace mw::cli {

class HeadlessViews final : public NullViews {
public:
    void attach(CMarrowickDoc& doc) { doc_ = &doc; }
    void select_node(int file, int item) override
    {
        if (doc_) doc_->select(file, item);
    }

private:
    CMarrowickDoc* doc_ = nullptr;
};

// A document with headless views.
class HeadlessDocument {
public:
    HeadlessDocument() : doc(views) { views.attach(doc); }
    HeadlessDocument(const HeadlessDocument&) = delete;
    HeadlessDocument& operator=(const HeadlessDocument&) = delete;

    HeadlessViews views;
    CMarrowickDoc doc;
};

}  // namespace mw::cli
