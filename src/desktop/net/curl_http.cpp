#include "desktop/net/curl_http.h"

#include <curl/curl.h>

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
           curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, kWholeRequestMs) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, maxBytes) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
           // Always from the network: no cached copy on the way.
           curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &appendCapped) == CURLE_OK &&
           curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body) == CURLE_OK;
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
    Body body;
    if (!configure(curl.get(), url, headers.get(), body)) return {};
    if (curl_easy_perform(curl.get()) != CURLE_OK || body.tooLarge) return {};
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) return {};
    return HttpResponse{true, std::move(body.bytes)};
}

}  // namespace dx
