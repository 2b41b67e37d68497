// Views that record what the document told them, for headless tests.
#pragma once

#include <string>
#include <vector>

#include "document/document_views.h"
#include "document/marrowick_doc.h"

namespace mw::test {

class RecordingViews : public DocumentViews {
public:
    void clear_display() override { log.push_back("clear_display"); }
    void show_file(const DisplayRequest& request) override
    {
        shown.push_back(request);
        log.push_back("show_file " + std::to_string(request.kind));
    }
    void set_info_text(const std::string& text) override { info = text; }
    void set_title(const std::string& text) override { title = text; }
    void fill_tree() override { log.push_back("fill_tree"); }
    void clear_tree() override { log.push_back("clear_tree"); }
    void select_node(int file, int item) override
    {
        log.push_back("select_node " + std::to_string(file) + " " + std::to_string(item));
        if (doc) doc->select(file, item);
    }
    void begin_wait(bool with_window) override { log.push_back(with_window ? "wait_window" : "wait_cursor"); }
    void end_wait() override { log.push_back("end_wait"); }
    void stop_sound() override { log.push_back("stop_sound"); }

    CMarrowickDoc* doc = nullptr;
    std::vector<std::string> log;
    std::vector<DisplayRequest> shown;
    std::string info;
    std::string title;
};

}  // namespace mw::test
