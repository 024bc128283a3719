// The regular-expression tool: one pattern over one subject through VBScript.RegExp, matches and
// captures handed out by 1-based number as texts of the system code page.
#pragma once
#include "ui/owners.h"

#include <oaidl.h>

#include <memory>
#include <string>
#include <string_view>

namespace catalogue {

class RegexMatcher {
public:
    // Joins the calling thread to a single-threaded COM apartment for the matcher's lifetime.
    RegexMatcher();
    ~RegexMatcher() { Destroy(); }
    RegexMatcher(const RegexMatcher&) = delete;
    RegexMatcher& operator=(const RegexMatcher&) = delete;

    // Releases the pattern object, the matches and the subject, then balances the COM start-up.
    void Destroy();
    // Shares the pattern object and matches; the clone leaves the thread's COM count alone.
    std::unique_ptr<RegexMatcher> Clone() const;
    // Runs pattern over subject; true when the engine returned a match collection (even an empty one).
    bool Run(std::string_view pattern, std::string_view subject, bool caseSensitive = false, bool multiLine = true,
             bool global = true, bool quoteMarker = false);
    void Reserved() {}
    std::string GetPattern();
    // The stored subject with every match replaced, under the last Run's pattern and options.
    std::string ReplaceMatches(std::string_view replacement);
    int MatchCount();
    // Match n; with wantPosition, *position gets its 0-based byte offset in the subject (-2: not found).
    std::string MatchText(int n, int* position = nullptr, bool wantPosition = false);
    // Capture k of match n; a capture that took no part gives the empty text.
    std::string SubMatchText(int n, int k, int* position = nullptr, bool wantPosition = false);
    int SubMatchCount();

private:
    explicit RegexMatcher(bool initialiseCom);
    ui::ComPtr<IDispatch> Match(int n);
    ui::ComPtr<IDispatch> SubMatches(int n);
    int PositionOf(const std::string& text, int n);
    void ForgetCachedMatch();

    ui::ComPtr<IDispatch> pattern_;
    ui::ComPtr<IDispatch> matches_;
    ui::UniqueVariant subject_;
    bool comInitialised_ = false;
    bool destroyed_ = false;

    // Reading captures one match after another: keep the last match and its captures at hand.
    int cachedMatch_ = 0;
    ui::ComPtr<IDispatch> cachedMatchObject_;
    ui::ComPtr<IDispatch> cachedSubMatches_;
    DISPID matchesItem_ = DISPID_UNKNOWN;
    DISPID matchSubMatches_ = DISPID_UNKNOWN;
    DISPID subMatchesItem_ = DISPID_UNKNOWN;
};

// The quote marker of patterns, in the system code page: each stands for a double-quote character.
std::string QuoteMarker();

}  // namespace catalogue
