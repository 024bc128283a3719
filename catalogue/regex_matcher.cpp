#include "catalogue/regex_matcher.h"

#include "catalogue/automation.h"
#include "ui/text_encoding.h"

#include <objbase.h>

#include <algorithm>
#include <climits>

namespace catalogue {
namespace {

// A BSTR made from a text of the system code page.
ui::UniqueBstr BstrOf(std::string_view text) {
    const std::wstring wide = ui::AnsiToWide(text);
    return ui::UniqueBstr(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
}

std::string TextOf(const VARIANT& value) {
    if (value.vt != VT_BSTR || !value.bstrVal) return {};
    return ui::WideToAnsi(std::wstring_view(value.bstrVal, SysStringLen(value.bstrVal)));
}

int IntOf(VARIANT& value) {
    if (FAILED(VariantChangeType(&value, &value, 0, VT_I4))) return 0;
    return static_cast<int>(value.lVal);
}

std::string ExpandQuoteMarker(std::string_view pattern) {
    const std::string marker = QuoteMarker();
    std::string expanded;
    size_t start = 0;
    for (size_t found; (found = pattern.find(marker, start)) != std::string_view::npos; start = found + marker.size()) {
        expanded.append(pattern.substr(start, found - start));
        expanded.push_back('"');
    }
    expanded.append(pattern.substr(start));
    return expanded;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

std::string QuoteMarker() { return ui::WideToAnsi(L"#引号"); }

RegexMatcher::RegexMatcher() : RegexMatcher(true) {}

RegexMatcher::RegexMatcher(bool initialiseCom) {
    if (initialiseCom) {
        CoInitialize(nullptr);  // S_FALSE when already initialised: still one count to balance
        comInitialised_ = true;
    }
}

void RegexMatcher::ForgetCachedMatch() {
    cachedMatch_ = 0;
    cachedSubMatches_.Reset();
    cachedMatchObject_.Reset();
}

void RegexMatcher::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    ForgetCachedMatch();
    pattern_.Reset();
    matches_.Reset();
    VariantClear(subject_.Get());
    if (comInitialised_) CoUninitialize();
}

std::unique_ptr<RegexMatcher> RegexMatcher::Clone() const {
    std::unique_ptr<RegexMatcher> clone(new RegexMatcher(false));
    clone->pattern_ = pattern_;
    clone->matches_ = matches_;
    VariantCopy(clone->subject_.Get(), const_cast<VARIANT*>(&subject_.Ref()));
    return clone;
}

bool RegexMatcher::Run(std::string_view pattern, std::string_view subject, bool caseSensitive, bool multiLine,
                       bool global, bool quoteMarker) {
    ForgetCachedMatch();
    pattern_.Reset();
    matches_.Reset();

    CLSID regExp{};
    if (SUCCEEDED(CLSIDFromProgID(L"VBScript.RegExp", &regExp)))
        CoCreateInstance(regExp, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(pattern_.Put()));
    IDispatch* object = pattern_.Get();
    PutProperty(object, L"IgnoreCase", BoolVariant(!caseSensitive));
    PutProperty(object, L"Multiline", BoolVariant(multiLine));
    PutProperty(object, L"Singleline", BoolVariant(true));  // no such property: fails and changes nothing
    PutProperty(object, L"Global", BoolVariant(global));

    const ui::UniqueBstr patternText = BstrOf(quoteMarker ? ExpandQuoteMarker(pattern) : std::string(pattern));
    PutProperty(object, L"Pattern", BorrowedBstrVariant(patternText.Get()));

    VARIANT* stored = subject_.Put();
    stored->vt = VT_BSTR;
    stored->bstrVal = BstrOf(subject).Release();
    if (!stored->bstrVal) stored->bstrVal = SysAllocStringLen(nullptr, 0);

    ui::UniqueVariant result;
    InvokeByName(object, L"Execute", DISPATCH_METHOD, result.Get(), {subject_.Ref()});
    matches_ = DispatchOf(result.Ref());
    return static_cast<bool>(matches_);
}

std::string RegexMatcher::GetPattern() {
    ui::UniqueVariant value;
    InvokeByName(pattern_.Get(), L"Pattern", DISPATCH_PROPERTYGET, value.Get());
    return TextOf(value.Ref());
}

std::string RegexMatcher::ReplaceMatches(std::string_view replacement) {
    const ui::UniqueBstr text = BstrOf(replacement);
    ui::UniqueVariant value;
    InvokeByName(pattern_.Get(), L"Replace", DISPATCH_METHOD, value.Get(),
                 {subject_.Ref(), BorrowedBstrVariant(text.Get())});
    return TextOf(value.Ref());
}

int RegexMatcher::MatchCount() {
    ui::UniqueVariant value;
    if (FAILED(InvokeByName(matches_.Get(), L"Count", DISPATCH_PROPERTYGET, value.Get()))) return 0;
    return IntOf(*value.Get());
}

ui::ComPtr<IDispatch> RegexMatcher::Match(int n) {
    if (n < 1) return {};
    if (cachedMatch_ == n) return cachedMatchObject_;
    ui::UniqueVariant value;
    InvokeByName(matches_.Get(), L"Item", DISPATCH_PROPERTYGET | DISPATCH_METHOD, value.Get(), {IntVariant(n - 1)},
                 &matchesItem_);
    ForgetCachedMatch();
    cachedMatchObject_ = DispatchOf(value.Ref());
    if (cachedMatchObject_) cachedMatch_ = n;
    return cachedMatchObject_;
}

ui::ComPtr<IDispatch> RegexMatcher::SubMatches(int n) {
    const ui::ComPtr<IDispatch> match = Match(n);
    if (!match) return {};
    if (!cachedSubMatches_) {
        ui::UniqueVariant value;
        InvokeByName(match.Get(), L"SubMatches", DISPATCH_PROPERTYGET, value.Get(), {}, &matchSubMatches_);
        cachedSubMatches_ = DispatchOf(value.Ref());
    }
    return cachedSubMatches_;
}

int RegexMatcher::PositionOf(const std::string& text, int n) {
    ui::UniqueVariant firstIndex;
    InvokeByName(Match(n).Get(), L"FirstIndex", DISPATCH_PROPERTYGET, firstIndex.Get());
    const size_t start = static_cast<size_t>(std::max(IntOf(*firstIndex.Get()) + 1, 1)) - 1;
    const std::string subject = TextOf(subject_.Ref());
    ui::UniqueVariant ignoreCase;
    InvokeByName(pattern_.Get(), L"IgnoreCase", DISPATCH_PROPERTYGET, ignoreCase.Get());
    const bool caseless = ignoreCase.Ref().vt == VT_BOOL && ignoreCase.Ref().boolVal != VARIANT_FALSE;
    for (size_t at = start; at + text.size() <= subject.size(); ++at) {
        const std::string_view candidate(subject.data() + at, text.size());
        if (caseless ? EqualIgnoringAsciiCase(candidate, text) : candidate == text)
            return at > INT_MAX ? -2 : static_cast<int>(at);
    }
    return -2;
}

std::string RegexMatcher::MatchText(int n, int* position, bool wantPosition) {
    ui::UniqueVariant value;
    InvokeByName(Match(n).Get(), L"Value", DISPATCH_PROPERTYGET, value.Get());
    std::string text = TextOf(value.Ref());
    if (wantPosition && position) *position = PositionOf(text, n);
    return text;
}

std::string RegexMatcher::SubMatchText(int n, int k, int* position, bool wantPosition) {
    std::string text;
    if (k >= 1) {
        ui::UniqueVariant value;
        InvokeByName(SubMatches(n).Get(), L"Item", DISPATCH_PROPERTYGET | DISPATCH_METHOD, value.Get(),
                     {IntVariant(k - 1)}, &subMatchesItem_);
        text = TextOf(value.Ref());
    }
    if (wantPosition && position) *position = PositionOf(text, n);
    return text;
}

int RegexMatcher::SubMatchCount() {
    ui::UniqueVariant value;
    if (FAILED(InvokeByName(SubMatches(1).Get(), L"Count", DISPATCH_PROPERTYGET, value.Get()))) return 0;
    return IntOf(*value.Get());
}

}  // namespace catalogue
