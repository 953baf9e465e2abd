// CurlHttp against an HTTP server of our own on 127.0.0.1. No other address
// is ever contacted: every proxy setting is cleared first.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "banner/description.h"
#include "desktop/net/curl_http.h"

namespace dx {
namespace {

class LoopbackSite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const char* v :
             {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            ::unsetenv(v);
        ::setenv("no_proxy", "*", 1);
    }

    void SetUp() override {
        server_.Get("/dx/url_a.txt", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("\"Hello, world\",http://127.0.0.1/,png\r\n", "text/plain");
        });
        server_.Get("/exact", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(kMaxDownloadBytes, 'x'), "application/octet-stream");
        });
        server_.Get("/big", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(kMaxDownloadBytes + 1, 'x'), "application/octet-stream");
        });
        // No length announced: only the write callback can stop it.
        server_.Get("/endless", [](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("application/octet-stream",
                                             [](size_t offset, httplib::DataSink& sink) {
                                                 if (offset > 4 * kMaxDownloadBytes) {
                                                     sink.done();
                                                     return true;
                                                 }
                                                 const std::string block(64 * 1024, 'y');
                                                 return sink.write(block.data(), block.size());
                                             });
        });
        server_.Get("/missing", [](const httplib::Request&, httplib::Response& res) {
            res.status = 404;
            res.set_content("not here", "text/plain");
        });
        for (int i = 1; i <= 4; ++i)
            server_.Get(
                "/hop" + std::to_string(i), [i](const httplib::Request&, httplib::Response& res) {
                    res.set_redirect(i == 4 ? "/exact-small" : "/hop" + std::to_string(i + 1));
                });
        server_.Get("/exact-small", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("arrived", "text/plain");
        });
        // 127.0.0.2 is loopback too, and nothing listens there.
        for (const std::string host : {"127.0.0.1", "127.0.0.2"})
            server_.Get("/to-" + host, [this, host](const httplib::Request&,
                                                    httplib::Response& res) {
                res.set_redirect("http://" + host + ":" + std::to_string(port_) + "/exact-small");
            });
        server_.Get("/to-file", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("file:///etc/hostname");
        });
        // Answers after 7 s, unless the test is over before.
        server_.Get("/slow", [this](const httplib::Request&, httplib::Response& res) {
            for (int i = 0; i < 70 && !stopping_; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            res.set_content("late", "text/plain");
        });
        server_.Get("/headers", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content(req.get_header_value("Cache-Control"), "text/plain");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        ASSERT_GT(port_, 0);
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }

    void TearDown() override {
        stopping_ = true;
        server_.stop();
        if (thread_.joinable()) thread_.join();
    }

    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    CurlHttp http_;
};

TEST_F(LoopbackSite, FetchesTheBodyByteForByte) {
    const HttpResponse r = http_.get(url("/dx/url_a.txt"));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.body, "\"Hello, world\",http://127.0.0.1/,png\r\n");
    // Always from the network, never a cached copy on the way.
    EXPECT_EQ(http_.get(url("/headers")).body, "no-cache");
}

TEST_F(LoopbackSite, KeepsABodyOfExactlyTheLimitAndRefusesOneByteMore) {
    EXPECT_TRUE(http_.get(url("/exact")).ok);
    const HttpResponse big = http_.get(url("/big"));
    EXPECT_FALSE(big.ok);
    EXPECT_TRUE(big.body.empty());
    const HttpResponse endless = http_.get(url("/endless"));
    EXPECT_FALSE(endless.ok);
    EXPECT_TRUE(endless.body.empty());
}

TEST_F(LoopbackSite, AnErrorStatusIsAFailure) {
    const HttpResponse r = http_.get(url("/missing"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.body.empty());
}

// Up to three redirects are followed, and only within the site's own host:
// another host's page is never taken for the banner's.
TEST_F(LoopbackSite, FollowsThreeRedirectsButNotFourAndOnlyWithinItsOwnHost) {
    for (auto [path, ok] : {std::pair{"/hop2", true},
                            {"/hop1", false},
                            {"/to-127.0.0.1", true},
                            {"/to-127.0.0.2", false}}) {
        const HttpResponse r = http_.get(url(path));
        EXPECT_EQ(r.ok, ok) << path;
        EXPECT_EQ(r.body, ok ? "arrived" : "") << path;
    }
}

TEST_F(LoopbackSite, NeverLeavesTheWebProtocols) {
    EXPECT_FALSE(http_.get(url("/to-file")).ok);
    EXPECT_FALSE(http_.get("file:///etc/hostname").ok);
    EXPECT_FALSE(http_.get("ftp://127.0.0.1:" + std::to_string(port_) + "/").ok);
}

TEST_F(LoopbackSite, GivesUpOnASlowServerWithinTheTimeLimit) {
    const auto began = std::chrono::steady_clock::now();
    EXPECT_FALSE(http_.get(url("/slow")).ok);
    const auto took = std::chrono::steady_clock::now() - began;
    EXPECT_LT(took, std::chrono::milliseconds(6500));
}

}  // namespace
}  // namespace dx
