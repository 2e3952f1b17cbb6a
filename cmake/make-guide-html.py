#!/usr/bin/env python3
"""Turns the user guide's Markdown into one HTML page that a double click opens anywhere.

Every picture the guide shows is embedded as a data: URI, so the page needs no folder beside
it; a picture that is missing stops the build instead of leaving a broken image.

usage: make-guide-html.py <USER-GUIDE.md> <output.html>
"""
import base64
import html
import mimetypes
import pathlib
import re
import sys

import markdown

STYLE = """
body { font-family: "Segoe UI", Tahoma, sans-serif; max-width: 52em; margin: 2em auto;
       padding: 0 1em; line-height: 1.45; color: #1b1b1b; }
h1, h2, h3 { line-height: 1.2; }
code, pre { font-family: Consolas, "Courier New", monospace; background: #f3f3f3; }
pre { padding: 0.6em 0.8em; overflow-x: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #c8c8c8; padding: 0.3em 0.6em; text-align: left; }
img { max-width: 100%; }
"""


def embed_pictures(body: str, folder: pathlib.Path) -> str:
    def data_uri(match: re.Match) -> str:
        source = html.unescape(match.group(2))
        if re.match(r"^[a-z]+:", source):
            return match.group(0)
        picture = folder / source
        if not picture.is_file():
            sys.exit(f"make-guide-html: the guide shows {source}, which is not in {folder}")
        kind = mimetypes.guess_type(picture.name)[0] or "application/octet-stream"
        encoded = base64.b64encode(picture.read_bytes()).decode("ascii")
        return f'{match.group(1)}"data:{kind};base64,{encoded}"'

    return re.sub(r'(<img\b[^>]*?\bsrc=)"([^"]*)"', data_uri, body)


def main() -> None:
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source = pathlib.Path(sys.argv[1])
    target = pathlib.Path(sys.argv[2])
    text = source.read_text(encoding="utf-8")
    # toc gives every heading the id GitHub gives it, so the guide's #links work in the page.
    body = markdown.markdown(text, extensions=["tables", "fenced_code", "toc", "sane_lists"],
                             output_format="html")
    body = embed_pictures(body, source.parent)
    title_match = re.search(r"^# (.+)$", text, re.MULTILINE)
    title = html.escape(title_match.group(1) if title_match else source.stem)
    page = (f'<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
            f"<title>{title}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n{body}\n"
            f"</body>\n</html>\n")
    target.write_text(page, encoding="utf-8", newline="\r\n")


if __name__ == "__main__":
    main()
