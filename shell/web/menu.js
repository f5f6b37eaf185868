// The menu bar, built from the game's menu table: labels with their mnemonics underlined,
// separators, submenus and the check marks the game sets. Mouse and keyboard work as in a
// desktop window: Alt plus a mnemonic opens a menu; inside, the arrows move, Enter chooses,
// Escape closes, and a mnemonic chooses its item. Alt alone or F10 selects the bar.
'use strict';

const VelnorMenu = (() => {
  // '&' marks the mnemonic, '&&' stands for '&' itself.
  function parseLabel(label) {
    let text = '';
    let mnemonic = null;
    let at = -1;
    for (let i = 0; i < label.length; i++) {
      if (label[i] === '&' && i + 1 < label.length) {
        i++;
        if (label[i] !== '&' && mnemonic === null) {
          mnemonic = label[i].toUpperCase();
          at = text.length;
        }
      }
      text += label[i];
    }
    return { text, mnemonic, at };
  }

  function labelElement(parsed) {
    const span = document.createElement('span');
    span.className = 'label';
    if (parsed.at < 0) {
      span.textContent = parsed.text;
      return span;
    }
    const underlined = document.createElement('u');
    underlined.textContent = parsed.text[parsed.at];
    span.append(parsed.text.slice(0, parsed.at), underlined, parsed.text.slice(parsed.at + 1));
    return span;
  }

  // The key as a mnemonic, whatever the keyboard layout or the characters Alt makes.
  function keyOf(event) {
    let m = /^Key([A-Z])$/.exec(event.code) || /^(?:Digit|Numpad)([0-9])$/.exec(event.code);
    if (m) return m[1];
    return event.key && event.key.length === 1 ? event.key.toUpperCase() : null;
  }

  function create(bar, frame, table, onCommand) {
    const titles = [];  // {button, menu, mnemonic}
    const items = new Map();  // command id -> item entry
    const open = [];  // the open menus, the bar's first
    let barIndex = -1;  // the selected title, -1 for none
    let altAlone = false;  // Alt went down and nothing else since
    let disabled = false;
    let pointer = { x: NaN, y: NaN };  // where the mouse last was over the menus

    // A menu that opens under a mouse standing still gets mouse events too (the browser's
    // own, after the layout changed); only a real move may take over from the keyboard.
    function pointerMoved(event) {
      const moved = event.clientX !== pointer.x || event.clientY !== pointer.y;
      pointer = { x: event.clientX, y: event.clientY };
      return moved;
    }

    function buildMenu(entries) {
      const element = document.createElement('div');
      element.className = 'popup';
      element.setAttribute('role', 'menu');
      element.hidden = true;
      const menu = { element, entries: [], active: -1 };
      for (const e of entries) {
        if (e.separator) {
          const line = document.createElement('div');
          line.className = 'separator';
          line.setAttribute('role', 'separator');
          element.append(line);
          continue;
        }
        const parsed = parseLabel(e.label);
        const row = document.createElement('div');
        row.className = 'item';
        row.setAttribute('role', 'menuitem');
        const check = document.createElement('span');
        check.className = 'check';
        const arrow = document.createElement('span');
        arrow.className = 'arrow';
        row.append(check, labelElement(parsed), arrow);
        const entry = { element: row, check, mnemonic: parsed.mnemonic, menu };
        if (e.items) {
          entry.submenu = buildMenu(e.items);
          arrow.textContent = '▶';
          row.setAttribute('aria-haspopup', 'true');
        } else {
          entry.id = e.id;
          row.dataset.id = String(e.id);
          items.set(e.id, entry);
          setChecked(e.id, e.checked);
        }
        const index = menu.entries.length;
        entry.index = index;
        row.addEventListener('mousemove', (event) => {
          if (pointerMoved(event)) hover(menu, index);
        });
        row.addEventListener('click', (event) => {
          event.stopPropagation();
          choose(entry);
        });
        menu.entries.push(entry);
        element.append(row);
      }
      frame.append(element);
      return menu;
    }

    function setChecked(id, checked) {
      const entry = items.get(id);
      if (!entry) return;
      entry.check.textContent = checked ? '✓' : '';
      entry.element.dataset.checked = checked ? 'true' : 'false';
    }

    // Places a menu below a title or to the right of an item, inside the window's frame. As on
    // a desktop, a menu stays on screen: one that would pass the right edge moves left, a
    // submenu to the left of its item.
    function place(menu, anchor, beside) {
      const frameBox = frame.getBoundingClientRect();
      const box = anchor.getBoundingClientRect();
      menu.element.hidden = false;
      const width = menu.element.offsetWidth;
      const room = document.documentElement.clientWidth;
      let left = beside ? box.right - 2 : box.left;
      if (left + width > room) left = beside ? box.left + 2 - width : room - width;
      left = Math.max(left, 0);
      const top = beside ? box.top - 3 : box.bottom;
      menu.element.style.left = `${left - frameBox.left - frame.clientLeft}px`;
      menu.element.style.top = `${top - frameBox.top - frame.clientTop}px`;
    }

    function setActive(menu, index) {
      menu.entries.forEach((e, i) => e.element.classList.toggle('active', i === index));
      menu.active = index;
    }

    function selectTitle(index) {
      barIndex = index;
      titles.forEach((t, i) => t.button.classList.toggle('active', i === index));
    }

    function closeFrom(depth) {
      while (open.length > depth) {
        const menu = open.pop();
        setActive(menu, -1);
        menu.element.hidden = true;
      }
    }

    function closeAll() {
      closeFrom(0);
      selectTitle(-1);
    }

    function openTitle(index, selectFirst) {
      closeFrom(0);
      selectTitle(index);
      const menu = titles[index].menu;
      place(menu, titles[index].button, false);
      open.push(menu);
      if (selectFirst) setActive(menu, 0);
    }

    function openSubmenu(entry, selectFirst) {
      closeFrom(open.indexOf(entry.menu) + 1);
      place(entry.submenu, entry.element, true);
      open.push(entry.submenu);
      if (selectFirst) setActive(entry.submenu, 0);
    }

    function hover(menu, index) {
      if (!open.includes(menu)) return;
      setActive(menu, index);
      const entry = menu.entries[index];
      if (entry.submenu) {
        if (!open.includes(entry.submenu)) openSubmenu(entry, false);
      } else {
        closeFrom(open.indexOf(menu) + 1);
      }
    }

    function choose(entry) {
      setActive(entry.menu, entry.index);
      if (entry.submenu) {
        openSubmenu(entry, true);
        return;
      }
      closeAll();
      onCommand(entry.id);
    }

    function move(step) {
      const menu = open[open.length - 1];
      const n = menu.entries.length;
      setActive(menu, ((menu.active < 0 ? (step > 0 ? -1 : 0) : menu.active) + step + n) % n);
    }

    function onKeyDown(event) {
      if (disabled || event.ctrlKey || event.metaKey) return;
      if (event.key === 'Alt') {
        if (!event.repeat) altAlone = true;
        event.preventDefault();
        return;
      }
      altAlone = false;
      const key = keyOf(event);
      if (event.altKey) {
        const index = titles.findIndex((t) => t.mnemonic === key);
        if (index >= 0) {
          event.preventDefault();
          openTitle(index, true);
        }
        return;
      }
      if (event.key === 'F10' && !event.shiftKey) {
        event.preventDefault();
        if (barIndex >= 0) closeAll();
        else selectTitle(0);
        return;
      }
      if (barIndex < 0) return;
      event.preventDefault();
      const menu = open[open.length - 1];
      const n = titles.length;
      switch (event.key) {
        case 'ArrowDown':
          if (menu) move(1);
          else openTitle(barIndex, true);
          return;
        case 'ArrowUp':
          if (menu) move(-1);
          else openTitle(barIndex, true);
          return;
        case 'ArrowRight': {
          const entry = menu && menu.entries[menu.active];
          if (entry && entry.submenu) openSubmenu(entry, true);
          else if (menu) openTitle((barIndex + 1) % n, true);
          else selectTitle((barIndex + 1) % n);
          return;
        }
        case 'ArrowLeft':
          if (open.length > 1) closeFrom(open.length - 1);
          else if (menu) openTitle((barIndex + n - 1) % n, true);
          else selectTitle((barIndex + n - 1) % n);
          return;
        case 'Enter':
        case ' ': {
          const entry = menu && menu.entries[menu.active];
          if (entry) choose(entry);
          else if (!menu) openTitle(barIndex, true);
          return;
        }
        case 'Escape':
          if (open.length > 0) closeFrom(open.length - 1);  // the bar stays selected
          else closeAll();
          return;
        default:
          break;
      }
      if (!key) return;
      if (menu) {
        const entry = menu.entries.find((e) => e.mnemonic === key);
        if (entry) choose(entry);
      } else {
        const index = titles.findIndex((t) => t.mnemonic === key);
        if (index >= 0) openTitle(index, true);
      }
    }

    function onKeyUp(event) {
      if (disabled || event.key !== 'Alt') return;
      event.preventDefault();
      if (!altAlone) return;
      altAlone = false;
      if (barIndex >= 0) closeAll();
      else selectTitle(0);
    }

    // A press outside the menus closes them, and goes no further: it does not reach the board.
    function onPointerDown(event) {
      if (barIndex < 0 || bar.contains(event.target) ||
          open.some((m) => m.element.contains(event.target))) {
        return;
      }
      closeAll();
      event.stopPropagation();
      event.preventDefault();
    }

    table.forEach((popup, index) => {
      const parsed = parseLabel(popup.label);
      const button = document.createElement('button');
      button.type = 'button';
      button.className = 'menu-title';
      button.tabIndex = -1;
      button.setAttribute('role', 'menuitem');
      button.setAttribute('aria-haspopup', 'true');
      button.append(labelElement(parsed));
      button.addEventListener('mousedown', (event) => {
        event.preventDefault();
        if (disabled) return;
        if (open.length > 0 && barIndex === index) closeAll();
        else openTitle(index, false);
      });
      button.addEventListener('mousemove', (event) => {
        if (pointerMoved(event) && open.length > 0 && barIndex !== index) openTitle(index, false);
      });
      bar.append(button);
      titles.push({ button, mnemonic: parsed.mnemonic, menu: buildMenu(popup.items) });
    });
    window.addEventListener('keydown', onKeyDown, true);
    window.addEventListener('keyup', onKeyUp, true);
    window.addEventListener('pointerdown', onPointerDown, true);
    window.addEventListener('blur', closeAll);

    return {
      setChecked,
      // The game has ended: the menu closes and opens no more.
      disable() {
        closeAll();
        disabled = true;
        bar.classList.add('disabled');
      },
    };
  }

  return { create, parseLabel };
})();
