#pragma once

#include <string>
#include <vector>

// Inputs with what the parser must make of them. The parser tests check
// them, and the fuzzer starts from them.
namespace parser_cases {

inline const std::wstring declaration = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>";

struct Failure {
    std::wstring text;
    std::wstring message;
};

// Whole documents and the message of the error each raises.
inline std::vector<Failure> failures() {
    const std::wstring& d = declaration;
    // Each message with the documents that raise it, and then with the bodies
    // that raise it after the declaration.
    const std::pair<std::wstring, std::vector<std::wstring>> documents[] = {
        {L"unexpected EOF", {L"", L"<", L"<?xml version='1.0' "}},
        {L"no tag like structure", {L" " + d}},
        {L"no xml declaration",
         {L"<a>", L"<!-- c -->" + d, L"<![CDATA[x]]>" + d, L"<?xml-stylesheet href='x'?>"}},
        {L"parser supports xml version 1.0 only, but specified document version: ", {L"<?xml?>"}},
        {L"parser supports xml version 1.0 only, but specified document version: 1.1",
         {L"<?xml version='1.1'?>"}},
        {L"no attribute value for: version", {L"<?xml version = '1.0'?>"}},
        {L"no end mark ?>", {L"<?xml version='1.0'?x"}},
        // Outside the quotes the end of input is just another unquoted unit.
        {L"unquoted attribute value", {L"<?xml version='1.0'"}},
    };
    const std::pair<std::wstring, std::vector<std::wstring>> bodies[] = {
        {L"unexpected EOF",
         {L"<a/", L"<a b='1", L"<!-", L"<!-- never closed --", L"<![CDATA[never closed]]",
          L"<![IGNORE", L"<!DOCTYPE", L"&#65", L"&amp", L"<!-- a & b -->"}},
        {L"needs name after '<'", {L"< a>"}},
        {L"illegal character in tag: '/'", {L"<a/ >", L"<a b='1'/ >", L"<a b='1'/"}},
        {L"no attribute value for: b", {L"<a b>", L"<a b/>", L"<a b =''>"}},
        {L"'=' without attribute name", {L"<a ='1'>"}},
        {L"unquoted attribute value", {L"<a b=1>", L"<a b='1'c='2'>", L"<a b="}},
        {L"invalid quotation", {L"<a b='1'\"2\">"}},
        {L"invalid section <!-x", {L"<!-x-->"}},
        {L"invalid character in numeric reference: a", {L"&#1a;"}},
        {L"invalid character in numeric reference: X", {L"&#X41;"}},
        {L"invalid character in numeric reference: x", {L"&#4x1;", L"&#xx1;"}},
        {L"numeric reference so big", {L"&#65536;"}},
        {L"numeric reference starts 0", {L"&#0;", L"&#065;", L"&#x041;"}},
        {L"invalid reference: &#;", {L"&#;"}},
        {L"unknown entity name refererenced: &nbsp;", {L"&nbsp;"}},
        {L"unknown entity name refererenced: &bogus;", {L"<a b='&bogus;'/>"}},
        // A lone "&" in a comment still starts a reference.
        {L"unknown entity name refererenced: & b;", {L"<!-- a & b; -->"}},
        {L"no attribute value for: word", {L"<?pi word?>"}},
    };
    std::vector<Failure> all;
    for (const auto& [message, texts] : documents)
        for (const std::wstring& text : texts) all.push_back({text, message});
    for (const auto& [message, texts] : bodies)
        for (const std::wstring& text : texts) all.push_back({d + text, message});
    return all;
}

struct Events {
    std::wstring body;  // follows the declaration
    std::vector<std::wstring> events;
};

// Bodies and the events they make, endDocument left out. An event is written
// "start NAME KEY=[VALUE]...", "end NAME" or "text [TEXT]".
inline std::vector<Events> markup() {
    return {
        // Attributes arrive sorted by name, the last of a repeated name winning.
        {L"<a b='1' A=\"2\" b='2'>x</a>", {L"start a A=[2] b=[2]", L"text [x]", L"end a"}},
        {L"<a/>", {L"start a", L"end a"}},
        {L"<a />", {L"start a", L"end a"}},
        {L"<a b='1'/>", {L"start a b=[1]", L"end a"}},
        {L"<a\tb='1'\r\n/>", {L"start a b=[1]", L"end a"}},
        // Values keep "<", line ends and the other quote, and resolve references.
        {L"<a b='x\"<\r\n&amp;&#x3042;'/>", {L"start a b=[x\"<\r\n&\x3042]", L"end a"}},
        {L"<a b='' c=\"\"></a>", {L"start a b=[] c=[]", L"end a"}},
        // An end tag's attributes are read and dropped, and "/" cannot make it empty.
        {L"</a b='1'>", {L"end a"}},
        {L"</a/>", {L"end a"}},
        {L"<x.y-z:w>", {L"start x.y-z:w"}},
        // Processing instructions, a second declaration and a document type
        // declaration make no events.
        {L"<?pi a='1' b=\"2\"?><?xml version='1.0'?><!DOCTYPE r SYSTEM 'r.dtd'><r/>",
         {L"start r", L"end r"}},
        {L"<!DOCTYPE>", {}},
        {L"<![IGNORE[ <a> ]]]><b/>", {L"start b", L"end b"}},
    };
}

inline std::vector<Events> text() {
    return {
        // Leading blanks of a run go, inner and trailing ones stay.
        {L"<a>  x y  </a>", {L"start a", L"text [x y  ]", L"end a"}},
        {L"<a> \r\n\t</a>", {L"start a", L"end a"}},
        {L"<a>x\r\ny</a>", {L"start a", L"text [x\r\ny]", L"end a"}},
        {L"&#65;&#x41;&#x4a;", {L"text [AAJ]"}},
        {L"&amp;&lt;&gt;&quot;&apos;", {L"text [&<>\"']"}},
        {L"&#65535;", {std::wstring(L"text [") + wchar_t(0xFFFF) + L"]"}},
        {L"&#x;", {std::wstring(L"text [") + wchar_t(0) + L"]"}},
        {L"x<![CDATA[y]]>z", {L"text [x]", L"text [y]", L"text [z]"}},
        {L"<![CDATA[a]b]]c]]>", {L"text [a]b]]c]"}},
        {L"<![CDATA[x]]]>", {L"text [x]]"}},
        {L"<![CDATA[]]>", {L"text []"}},
        {L"<![CDATA[<a>&bogus;]]>", {L"text [<a>&bogus;]"}},
        // Comments end at the first "-->" and may hold well-formed references.
        {L"<!-- a -- b --->x", {L"text [x]"}},
        {L"<!-- &amp; <a> -->", {}},
        {L"<!---->", {}},
    };
}

// A document shaped like the program's definition files.
inline const std::wstring definition = declaration +
                                       LR"(
<root>
  <!-- system settings -->
  <group id="net" name="ネットワーク">
    <item class="velmora.reg.RegValueItem" id="mtu">
      <params key="HKEY_LOCAL_MACHINE\SYSTEM" value="MTU" default="1500"/>
      <affectTarget productVersion="&lt; 6.0">user</affectTarget>
      <affectTarget productType="server" productSPVersion=">= 1.0">system</affectTarget>
      <help>Largest packet<br/>&lt;bytes&gt;</help>
    </item>
  </group>
</root>)";

}  // namespace parser_cases
