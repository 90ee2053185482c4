// A stand-in for the krpano viewer's embedding script, served at /VR/xsl3v/krpano.js in the test
// site. Its embedpano() loads the scene file the page names, parses it with the browser's own XML
// parser, and writes what it found into the page as JSON, for the test to read.
"use strict";

function embedpano(options) {
  const record = {
    title: document.title,
    options: options,
    targetExists: document.getElementById(options.target) !== null,
  };

  const publish = () => {
    const out = document.createElement("pre");
    out.id = "viewer-record";
    out.textContent = JSON.stringify(record);
    document.body.appendChild(out);
  };

  const attribute = (element, name) => (element ? element.getAttribute(name) : null);

  const url = new URL(options.xml, document.baseURI);
  fetch(url)
    .then((response) => {
      record.status = response.status;
      return response.text();
    })
    .then((text) => {
      const scene = new DOMParser().parseFromString(text, "application/xml");
      const error = scene.getElementsByTagName("parsererror")[0];
      record.parseError = error ? error.textContent : null;
      const root = scene.documentElement;
      record.root = root.nodeName;
      record.xmlscript = attribute(root.querySelector(":scope > xmlscript"), "name");
      record.windowTitle = attribute(root.querySelector(":scope > window"), "title");
      record.scenes = Array.from(root.querySelectorAll(":scope > scene"), (s) => s.getAttribute("name"));
      record.videourl = attribute(root.querySelector("scene > plugin[name='video']"), "videourl");
      record.hotspots = Array.from(root.querySelectorAll("scene > hotspot"), (h) => ({
        name: h.getAttribute("name"),
        url: h.getAttribute("url"),
        zorder: h.getAttribute("zorder"),
      }));
    })
    .catch((error) => {
      record.fetchError = String(error);
    })
    .finally(publish);
}
