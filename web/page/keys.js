// The window's keys as buttons, for a screen without a keyboard. A press goes the
// way a key typed on the canvas goes, dropped where that one would be, and the
// focus stays where the keys go.
'use strict';

agvLanguage.add({'key-space': {en: 'space', ja: 'スペース'}});
for (const button of document.querySelectorAll('#keys button[data-key]')) {
  // A mouse press would otherwise take the focus to the button.
  button.addEventListener('mousedown', (event) => event.preventDefault());
  button.addEventListener('click', () => {
    agvWindowKeyFromPerson(button.dataset.key.charCodeAt(0));
    agvFocusWhereKeysGo();
  });
}
