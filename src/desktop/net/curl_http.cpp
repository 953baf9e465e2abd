#include "desktop/net/curl_http.h"

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <mutex>

#include "banner/description.h"

namespace dx {

namespace {

constexpr long kConnectTimeoutMs = 2000;
constexpr long kWholeRequestMs = 5000;
constexpr long kMaxRedirects = 3;
// Nothing but the web: no file://, no ftp://, not even after a redirect.
constexpr const char* kProtocols = "http,https";

struct Body {
    std::string bytes;
    bool tooLarge = false;
};

// A server that sends no length (or lies about it) is stopped here: the
// transfer aborts as soon as the body would pass the limit.
size_t appendCapped(char* data, size_t size, size_t count, void* user) {
    auto* body = static_cast<Body*>(user);
    const size_t n = size * count;
    if (body->bytes.size() + n > kMaxDownloadBytes) {
        body->tooLarge = true;
        return 0;
    }
    body->bytes.append(data, n);
    return n;
}

struct EasyDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct ListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

bool configure(CURL* curl, const std::string& url, curl_slist* headers, Body& body) {
    const auto maxBytes = static_cast<curl_off_t>(kMaxDownloadBytes);
    return curl_easy_setopt(curl, CURLOPT_URL, url.c_str()) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, kProtocols) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, kProtocols) == CURLE_OK &&
           // Redirects are followed by hand, within the site's own host.
           curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, maxBytes) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
           // Always from the network: no cached copy on the way.
           curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &appendCapped) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body) == CURLE_OK;
}

struct UrlDeleter {
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
};

// The host an address names, in lower case; "" when it names none.
std::string hostOf(const std::string& url) {
    const std::unique_ptr<CURLU, UrlDeleter> parsed(curl_url());
    char* host = nullptr;
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK ||
        curl_url_get(parsed.get(), CURLUPART_HOST, &host, 0) != CURLUE_OK)
        return "";
    std::string out(host);
    curl_free(host);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Where a redirect answer sends the request next, or "" for none.
std::string redirectTarget(CURL* curl) {
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    char* next = nullptr;
    if (status < 300 || status > 399 ||
        curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &next) != CURLE_OK || next == nullptr)
        return "";
    return next;
}

}  // namespace

CurlHttp::CurlHttp() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HttpResponse CurlHttp::get(const std::string& url) {
    const std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
    if (!curl) return {};
    curl_slist* list = curl_slist_append(nullptr, "Cache-Control: no-cache");
    if (list != nullptr) {
        curl_slist* more = curl_slist_append(list, "Pragma: no-cache");
        if (more != nullptr) list = more;
    }
    const std::unique_ptr<curl_slist, ListDeleter> headers(list);
    // The banner's files come from the site itself: a redirect to another
    // host (a hijacked page, a parked domain) is a failure, not a body.
    const std::string host = hostOf(url);
    if (host.empty()) return {};
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kWholeRequestMs);
    std::string next = url;
    Body body;
    for (long hop = 0;; ++hop) {
        body = Body{};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0 || !configure(curl.get(), next, headers.get(), body) ||
            curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT_MS, static_cast<long>(left)) != CURLE_OK)
            return {};
        if (curl_easy_perform(curl.get()) != CURLE_OK || body.tooLarge) return {};
        next = redirectTarget(curl.get());
        if (next.empty()) break;
        if (hop == kMaxRedirects || hostOf(next) != host) return {};
    }
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) return {};
    return HttpResponse{true, std::move(body.bytes)};
}

}  // namespace dx
