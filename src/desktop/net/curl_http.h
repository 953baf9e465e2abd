#pragma once

// HTTP GET through libcurl for the banner's downloads: web addresses only,
// short time-outs, a bounded body.

#include "platform/platform.h"

namespace dx {

class CurlHttp : public Http {
public:
    CurlHttp();
    // ok only for a complete answer with a 2xx status, reached over http or
    // https with at most 3 redirects, all within the host of url, within
    // 2 s to connect and 5 s in all, and no larger than kMaxDownloadBytes.
    // Otherwise ok is false and the body empty.
    HttpResponse get(const std::string& url) override;
};

}  // namespace dx
