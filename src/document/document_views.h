// What the document asks of its views: the tree, the display view, the
// information view, the title, the wait window and cursor, the sound. The
// GUI implements it with widgets, the command line headless, tests record.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace mw {

// The whole converted file, unless a range narrows it.
inline constexpr std::uint32_t display_to_end = 100000000;

struct DisplayRequest {
    std::filesystem::path file;  // the entry's converted file
    int kind = 0;                // a type code, a resource ID or a record kind
    std::uint32_t start = 0;
    std::uint32_t end = display_to_end;

    bool operator==(const DisplayRequest&) const = default;
};

class DocumentViews {
public:
    virtual ~DocumentViews() = default;

    virtual void clear_display() = 0;
    virtual void show_file(const DisplayRequest& request) = 0;
    virtual void set_info_text(const std::string& text) = 0;
    virtual void set_title(const std::string& title) = 0;
    // Rebuilds the tree from the document's archive / leaves it empty.
    virtual void fill_tree() = 0;
    virtual void clear_tree() = 0;
    // Selects the node of (file, item) as a user's click would, which runs
    // the document's selection of that node.
    virtual void select_node(int file, int item) = 0;
    // Wait cursor, and with `with_window` the box "Importing File ... Please Wait".
    virtual void begin_wait(bool with_window) = 0;
    virtual void end_wait() = 0;
    virtual void stop_sound() = 0;
};

// The wait cursor (and with `with_window` the wait window) for as long as it
// lives, however a command ends.
class WaitScope {
public:
    WaitScope(DocumentViews& views, bool with_window) : views_(views) { views_.begin_wait(with_window); }
    ~WaitScope() { end(); }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

    // Ends the wait early.
    void end()
    {
        if (active_) views_.end_wait();
        active_ = false;
    }

private:
    DocumentViews& views_;
    bool active_ = true;
};

// Views that show nothing; select_node is left to the owner.
class NullViews : public DocumentViews {
public:
    void clear_display() override {}
    void show_file(const DisplayRequest&) override {}
    void set_info_text(const std::string&) override {}
    void set_title(const std::string&) override {}
    void fill_tree() override {}
    void clear_tree() override {}
    void select_node(int, int) override {}
    void begin_wait(bool) override {}
    void end_wait() override {}
    void stop_sound() override {}
};

}  // namespace mw
