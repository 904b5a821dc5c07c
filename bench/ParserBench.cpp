// Parse throughput on a generated definition file of about 5 MB, against a
// loop that only reads the same stream unit by unit: the parser's cost over
// the reading it cannot avoid.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>

#include "xml/Parser.h"

namespace {

// Categories of items with parameters, help text with line breaks and
// references, and comments, as the shipped definitions have them.
std::wstring generateDefinitions(size_t targetUnits) {
    std::wstring text = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<root>\r\n";
    for (int group = 0; text.size() < targetUnits; ++group) {
        const std::wstring g = std::to_wstring(group);
        text += L"  <!-- カテゴリ " + g + L" -->\r\n";
        text += L"  <group id=\"group" + g + L"\" name=\"ネットワーク設定 " + g + L"\">\r\n";
        for (int item = 0; item < 20; ++item) {
            const std::wstring i = std::to_wstring(item);
            text += L"    <item class=\"velmora.reg.RegValueItem\" id=\"item" + i +
                    L"\" name=\"最大転送単位 (MTU) " + i + L"\" target=\"system\">\r\n";
            text +=
                L"      <params key=\"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services"
                L"\\Tcpip\\Parameters\" value=\"TcpWindowSize" +
                i + L"\" type=\"dword\" default=\"65535\" min=\"0\" max=\"1073741823\"/>\r\n";
            text +=
                L"      <help>受信ウィンドウの大きさ &amp; 既定値。<br/>大きくすると"
                L"高速な回線で &lt;速く&gt; なります。&#x3042;</help>\r\n";
            text += L"    </item>\r\n";
        }
        text += L"  </group>\r\n";
    }
    return text + L"</root>\r\n";
}

class Counter : public xml::ParserCallback {
public:
    void startElement(const std::wstring&, const xml::AttributeMap& attributes) override {
        count += 1 + attributes.size();
    }
    void endElement(const std::wstring&) override { ++count; }
    void characters(const std::wstring& text) override { count += text.size(); }
    void endDocument() override {}
    size_t count = 0;
};

constexpr int rounds = 25;

template <typename Body>
double secondsOf(const std::wstring& text, Body body) {
    std::wistringstream in(text);
    const auto start = std::chrono::steady_clock::now();
    body(in);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

}  // namespace

int main() {
    const std::wstring text = generateDefinitions(2'500'000);
    const double megabytes = text.size() * 2 / 1e6;  // as UTF-16 on disk

    volatile size_t sink = 0;
    const auto bareLoop = [&](std::wistringstream& in) {
        std::wstreambuf* buffer = in.rdbuf();
        size_t units = 0;
        while (buffer->sbumpc() != std::wistream::traits_type::eof()) ++units;
        sink = units;
    };
    const auto parser = [&](std::wistringstream& in) {
        Counter counter;
        xml::Parser(&counter).parse(in);
        sink = counter.count;
    };
    // Interleaved, so that a busy spell of the machine hits both alike; the
    // best round of each is the least disturbed one.
    double bare = 1e9;
    double parse = 1e9;
    for (int round = 0; round < rounds; ++round) {
        bare = std::min(bare, secondsOf(text, bareLoop));
        parse = std::min(parse, secondsOf(text, parser));
    }
    std::printf("input %.2f MB of UTF-16 (%zu code units), best of %d interleaved runs\n",
                megabytes, text.size(), rounds);
    std::printf("bare read loop  %8.1f MB/s  (%.4f s)\n", megabytes / bare, bare);
    std::printf("parser          %8.1f MB/s  (%.4f s)\n", megabytes / parse, parse);
    std::printf("parser / bare   %8.2f\n", bare / parse);
    return 0;
}
