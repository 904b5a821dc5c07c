#include "ParserWorkload.h"

#include <chrono>
#include <sstream>

#include "xml/Parser.h"

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

namespace {

template <typename Body>
double secondsOf(const std::wstring& text, Body body) {
    std::wistringstream in(text);
    const auto start = std::chrono::steady_clock::now();
    body(in);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

}  // namespace

double secondsToParse(const std::wstring& text, size_t& sink) {
    return secondsOf(text, [&](std::wistringstream& in) {
        Counter counter;
        xml::Parser(&counter).parse(in);
        sink = counter.count;
    });
}

double secondsToRead(const std::wstring& text, size_t& sink) {
    return secondsOf(text, [&](std::wistringstream& in) {
        std::wstreambuf* buffer = in.rdbuf();
        size_t units = 0;
        while (buffer->sbumpc() != std::wistream::traits_type::eof()) ++units;
        sink = units;
    });
}
