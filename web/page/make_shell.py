#!/usr/bin/python3
"""Writes the page emcc fills in: the shell with xterm.js, its CSS and the page's scripts inlined,
the bench worker's script among them as the text the page starts its workers from."""
import json
import sys
from pathlib import Path


def main(shell, xterm_js, xterm_css, worker_js, output, *scripts):
    page = Path(shell).read_text(encoding="utf-8")
    # Inlined text must not end its own <script> element early.
    def inline(text):
        return text.replace("</script", "<\\/script")
    page = page.replace("/*XTERM_CSS*/", Path(xterm_css).read_text(encoding="utf-8"))
    xterm = "\n".join(line for line in Path(xterm_js).read_text(encoding="utf-8").split("\n")
                      if not line.startswith("//# sourceMappingURL="))
    page = page.replace("/*XTERM_JS*/", inline(xterm))
    worker = "const agvBenchWorkerSource = %s;\n" % json.dumps(Path(worker_js).read_text(encoding="utf-8"))
    page_js = worker + "\n".join(Path(s).read_text(encoding="utf-8") for s in scripts)
    page = page.replace("/*PAGE_JS*/", inline(page_js))
    Path(output).write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main(*sys.argv[1:])
