#include "bench/inspector/GeneratedPage.h"

namespace bench {

using namespace Qt::StringLiterals;

QString generatedPage(int elements)
{
    QString html = u"<!doctype html><title>big</title><body>"_s;
    for (int i = 4; i < elements; ++i) {
        switch (i % 8) {
        case 0: html += u"<input type=text name=t%1 value=v%1>"_s.arg(i); break;
        case 1: html += u"<input type=password name=p%1>"_s.arg(i); break;
        case 2: html += u"<a href=\"http://a.test/%1\">link %1</a>"_s.arg(i); break;
        case 3: html += u"<span title=s%1>span %1</span>"_s.arg(i); break;
        case 4: html += u"<b>bold %1</b>"_s.arg(i); break;
        case 5: html += u"<input type=radio name=r value=%1>"_s.arg(i); break;
        case 6: html += u"<a href=\"mailto:m%1@a.test\">mail</a>"_s.arg(i); break;
        default: html += u"<i id=i%1>%1</i>"_s.arg(i); break;
        }
    }
    return html;
}

QString rowsScript(int first, int count)
{
    return uR"(((first, count) => {
  const all = document.all, out = [];
  const text = (v) => (v === undefined || v === null ? '' : String(v));
  for (let i = first; i < first + count && i < all.length; i++) {
    const e = all[i];
    out.push(text(e.tagName), text(e.type), '', text(e.name), text(e.value), text(e.alt), text(e.href),
             text(e.innerText), text(e.innerHTML), text(e.id));
  }
  return out;
})(%1, %2))"_s.arg(first).arg(count);
}

} // namespace bench
